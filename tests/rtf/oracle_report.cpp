#include "oracle_report.h"

#include <string_view>

#include "rtf/detail/oem_codepage.h"
#include "rtf/report_messages.h"

namespace rtf_oracle {

namespace {

namespace msg = RepoRTF_interface::messages;

struct Failure {
    const char* message;
};

// The buffers: the template's and the data's bytes as characters 0 to 255, and
// the markers as characters no byte can be, so a byte of the input is never
// taken for one. A field is kOpen, name, kClose: a key matches whole names only.
using Text = std::u32string;
constexpr char32_t kTag = 0x102, kOpen = 0x103, kClose = 0x104;

Text Widen(const std::string& bytes) {
    Text text;
    for (char c : bytes) text += static_cast<char32_t>(static_cast<unsigned char>(c));
    return text;
}

std::string Narrow(const Text& text) {
    std::string bytes;
    for (char32_t c : text) bytes += static_cast<char>(c);
    return bytes;
}

// Position (1-based) of the first occurrence of b in a at or after position
// `from`; 0 when there is none. An empty b is never found.
template <class S>
std::size_t Pos(const S& a, const S& b, std::size_t from = 1) {
    if (b.empty() || from < 1) return 0;
    std::size_t found = a.find(b, from - 1);
    return found == std::string::npos ? 0 : found + 1;
}

std::size_t Pos(const Text& a, const char* b, std::size_t from = 1) {
    return Pos(a, Widen(b), from);
}

std::size_t Pos(const std::string& a, const char* b, std::size_t from = 1) {
    return Pos(a, std::string(b), from);
}

// a[from..to] with 1-based inclusive bounds.
template <class S>
S Copy(const S& a, std::size_t from, std::size_t count) {
    if (from < 1 || from > a.size()) return {};
    return a.substr(from - 1, count);
}

template <class S>
S StringReplaceAll(const S& text, const S& from, const S& to) {
    S out;
    std::size_t at = 0;
    for (;;) {
        std::size_t found = text.find(from, at);
        if (found == std::string::npos) break;
        out += text.substr(at, found - at);
        out += to;
        at = found + from.size();
    }
    out += text.substr(at);
    return out;
}

std::string Hex2(char c) {
    static const char* digits = "0123456789ABCDEF";
    unsigned char u = static_cast<unsigned char>(c);
    return std::string{digits[u >> 4], digits[u & 15]};
}

std::string TextModeRead(const std::string& bytes) {
    std::string text;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') continue;
        text += bytes[i];
    }
    return text;
}

Text Tag(const std::string& numberText) {
    return Text(1, kTag) + Widen((numberText + "**").substr(0, 3));
}

// Like the C library's fgets on a text stream, with its end-of-file flag.
struct Stream {
    std::string text;
    std::size_t at = 0;
    bool eof = false;
    bool Gets(std::string& piece, std::size_t room) {
        piece.clear();
        while (piece.size() < room - 1) {
            if (at >= text.size()) {
                eof = true;
                break;
            }
            char c = text[at++];
            piece += c;
            if (c == '\n') break;
        }
        return !piece.empty();
    }
};

class Oracle {
  public:
    explicit Oracle(const OracleInput& input) : in_(input) {}

    OracleResult Run() {
        OracleResult result;
        try {
            Merge();
        } catch (const Failure& f) {
            result.error = f.message;
        }
        result.report = report_;
        return result;
    }

  private:
    void Merge() {
        // Step 1: start.
        delimiter_ = Widen("#");
        d_ = 1;
        counter_ = 0;
        T_ = Widen(TextModeRead(in_.templateBytes));
        rtf_ = Narrow(T_.substr(0, 5)) == "{\\rtf";
        // Step 2: charset rewrite.
        for (;;) {
            std::size_t at = Pos(T_, "\\fcharset0");
            if (at == 0) break;
            T_ = Copy(T_, 1, at - 1) + Widen("\\fcharset204") + T_.substr(at - 1 + 10);
        }
        TemplatePass();
        DataPass();
    }

    void TemplatePass() {
        std::size_t s = 1;
        for (;;) {
            std::size_t p = Pos(T_, delimiter_, s);
            if (p == 0) return;
            s = p;
            std::size_t c = Pos(T_, delimiter_, p + d_);
            if (c == 0) throw Failure{msg::kStructure};
            // No marker follows the search start: F is bytes.
            std::string F = Narrow(Copy(T_, p + d_, c - (p + d_)));
            std::size_t q = c + d_;
            std::size_t cut = q;  // text from p to cut - 1 is replaced
            Text R;
            if (F.substr(0, 5) == "FONT=") {
                F = F.substr(5);
                if (in_.registerFont) in_.registerFont(F);
            }
            if (F.empty()) {  // rule b
                R = Widen("\\'" + Hex2(static_cast<char>(delimiter_[0])));
            } else if (F[0] == '@') {  // rule c
                delimiter_ = Widen(F.substr(1));
                d_ = delimiter_.size();
                R.clear();
            } else {
                if (Pos(F, "\\'") == 0) F = Cleanup(F);
                if (IsBlockField(F)) {  // rule e
                    std::string digits;
                    if (F[0] == 'D') {
                        digits = F.substr(1, 7);
                    } else {
                        for (char ch : F) {
                            if (ch < '0' || ch > '9') break;
                            digits += ch;
                        }
                    }
                    while (!digits.empty() && digits[0] == '0') digits.erase(0, 1);
                    R = digits.empty() ? Text() : Tag(digits);
                    if (rtf_) {
                        Text A = T_.substr(q - 1);
                        if (!A.empty() && A[0] == '}') {
                            A = A.substr(1);
                            cut += 1;
                        }
                        std::size_t b = Pos(A, "}");
                        if (b > 0) {
                            std::size_t e = Pos(A, delimiter_);
                            cut += (e > 0 && e < b) ? e - 1 : b - 1;
                        }
                    }
                } else if (F == "DATE") {
                    R = Widen(in_.date);
                } else if (F == "TIME") {
                    R = Widen(in_.time);
                } else if (F == "EOP") {
                    R = Widen(rtf_ ? "{\\page}" : "\f");
                } else {
                    R = kOpen + Widen(F) + kClose;
                }
            }
            T_ = Copy(T_, 1, p - 1) + R + T_.substr(cut - 1);
            // The pass resumes at the inserted text, or after it when the
            // delimiter occurs in it or it is a marker (a marker is whole).
            const bool marker = R.find_first_of(Text{kTag, kOpen}) != Text::npos;
            s = (marker || Pos(R, delimiter_) > 0) ? p + R.size() : p;
        }
    }

    static std::string Cleanup(std::string F) {
        std::size_t i = 0;
        while (i < F.size()) {
            char ch = F[i];
            bool keep = (ch >= 'A' && ch <= 'Z') || (ch >= 'a' && ch <= 'z') ||
                        (ch >= '0' && ch <= '9') || ch == '_';
            if (keep) {
                ++i;
            } else if (ch == '{' || ch == '\\') {
                std::size_t sp = F.find_first_of(" \r\n", i + 1);
                if (sp != std::string::npos) {
                    F.erase(i, sp - i + 1);
                } else {
                    std::size_t br = F.find('}', i + 1);
                    F.erase(i, br != std::string::npos ? br - i + 1 : 1);
                }
            } else {
                F.erase(i, 1);
            }
        }
        return F;
    }

    static bool IsBlockField(const std::string& F) {
        if (F.empty()) return false;
        int ds = 0;
        for (std::size_t i = 0; i < F.size(); ++i) {
            if (F[i] == 'D') {
                ++ds;
                if (i != 0 && i != F.size() - 1) return false;
            } else if (F[i] < '0' || F[i] > '9') {
                return false;
            }
        }
        return ds <= 1;
    }

    // Pair rule: takes one pair from the front of L.
    bool GetPair(std::string& L, Text& K, Text& V, long long& N) {
        K.clear();
        V.clear();
        N = 0;
        std::size_t c = Pos(L, ":");
        if (c < 2) return false;
        std::string prefix = Copy(L, 1, c);
        if (prefix[0] != '|') return false;
        N = Atoi(prefix.substr(1));
        L = L.substr(c);
        c = Pos(L, ":");
        if (c == 0 || c == 1) return false;
        std::string key = Copy(L, 1, c - 1);
        K = kOpen + Widen(key) + kClose;
        L = L.substr(c);
        std::size_t next = Pos(L, prefix);
        std::string value;
        if (next == 0) {
            value = L;
            L = "";
        } else {
            value = Copy(L, 1, next - 1);
            L = L.substr(next - 1);
        }
        V = Widen(Convert(key, value));
        return true;
    }

    static long long Atoi(const std::string& text) {
        std::size_t i = 0;
        while (i < text.size() && (text[i] == ' ' || text[i] == '\t' || text[i] == '\n' ||
                                   text[i] == '\v' || text[i] == '\f' || text[i] == '\r'))
            ++i;
        bool minus = false;
        if (i < text.size() && (text[i] == '-' || text[i] == '+')) minus = text[i++] == '-';
        long long v = 0;
        while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
            if (v < 100000000000LL) v = v * 10 + (text[i] - '0');
            ++i;
        }
        return minus ? -v : v;
    }

    std::string Convert(const std::string& key, std::string value) {
        if (key.substr(0, 4) == "_SYM") {
            value = StringReplaceAll<std::string>(value, "|BAR:", "|");
            std::string out = "{\\f3\\lang1033\\langfe1049\\langnp1033 ";
            for (char ch : value) out += "\\'" + Hex2(ch);
            return out + " }";
        }
        using S = std::string;
        if (rtf_) {
            value = StringReplaceAll<S>(value, "\\", "\\'5C");
            value = StringReplaceAll<S>(value, "{", "\\'7B");
            value = StringReplaceAll<S>(value, "}", "\\'7D");
        }
        value = StringReplaceAll<S>(value, "|EOL:", rtf_ ? "{\\par}" : "\n");
        value = StringReplaceAll<S>(value, "|EOP:", rtf_ ? "{\\page}" : "\f");
        return StringReplaceAll<S>(value, "|BAR:", "|");
    }

    void DataPass() {
        Stream data{TextModeRead(in_.dataBytes)};
        O_.clear();
        bool oem = false;
        long long previous = 0;
        while (!data.eof) {
            std::string line, piece;
            for (;;) {
                if (!data.Gets(piece, 4096)) break;
                if (oem)
                    for (char& ch : piece)
                        ch = static_cast<char>(
                            RepoRTF_interface::detail::oemToAnsi(static_cast<unsigned char>(ch)));
                line += piece;
                if (piece.find('\n') != std::string::npos) {
                    line.erase(line.find('\n'));
                    break;
                }
                if (data.eof) break;
            }
            ++counter_;
            if (in_.progress && in_.progress(counter_) != 0) throw Failure{msg::kAborted};
            if (line.empty() || line[0] == '#') continue;
            if (line.substr(0, 5) == "|DOS:") {
                oem = true;
                continue;
            }
            if (line.substr(0, 5) == "|WIN:") {
                oem = false;
                continue;
            }
            std::string L = line;
            Text K, V;
            long long N;
            bool hasKey = GetPair(L, K, V, N);
            if (N < 0 || N > 999) throw Failure{msg::kStructure};
            if (N == 0) {
                if (hasKey && Pos(O_, K) == 0) {
                    std::size_t w = Pos(T_, K);
                    if (w > 0) {
                        std::size_t z = Pos(T_, Text(1, kTag), w);
                        if (z == 0) z = T_.size() + 1;
                        O_ += Copy(T_, 1, z - 1);
                        T_ = T_.substr(z - 1);
                    }
                }
                if (hasKey) O_ = StringReplaceAll(O_, K, V);
                previous = 0;
            } else {
                Text tag = Tag(std::to_string(N));
                std::size_t t1 = Pos(T_, tag);
                if (t1 == 0) continue;
                std::size_t t2 = Pos(T_, tag, t1 + 1);
                if (t2 == 0) continue;
                Text body = Copy(T_, t1 + 4, t2 - (t1 + 4));
                if (previous == 0) {
                    std::size_t b = Pos(T_, Tag("1"));
                    if (b > 1) {
                        O_ += Copy(T_, 1, b - 1);
                        T_ = T_.substr(b - 1);
                    }
                }
                O_ += body;
                if (hasKey) {
                    O_ = StringReplaceAll(O_, K, V);
                    long long level;
                    while (!L.empty() && GetPair(L, K, V, level)) O_ = StringReplaceAll(O_, K, V);
                }
                flush();
                previous = N;
            }
        }
        O_ += T_;
        T_.clear();
        flush();
    }

    void flush() {
        std::size_t i = 0;
        while (i < O_.size()) {
            if (O_[i] == kOpen) {
                std::size_t j = O_.find(kClose, i + 1);
                O_.erase(i, j == Text::npos ? 1 : j - i + 1);
            } else if (O_[i] == kTag) {
                Text tag = O_.substr(i, 4);
                std::size_t j = O_.find(tag, i + 1);
                O_.erase(i, j == Text::npos ? 4 : j + tag.size() - i);
            } else {
                ++i;
            }
        }
        const std::string bytes = Narrow(O_);
        for (std::size_t at = 0; at < bytes.size(); at += 4096) {
            for (char ch : bytes.substr(at, 4096)) {
                if (ch == '\n') report_ += '\r';
                report_ += ch;
            }
        }
        O_.clear();
    }

    const OracleInput& in_;
    Text delimiter_;
    std::size_t d_ = 1;
    long long counter_ = 0;
    bool rtf_ = false;
    Text T_, O_;
    std::string report_;
};

}  // namespace

OracleResult OracleMerge(const OracleInput& input) {
    return Oracle(input).Run();
}

}  // namespace rtf_oracle
