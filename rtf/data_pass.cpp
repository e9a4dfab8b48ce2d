#include "data_pass.h"

#include <string>

#include "data_lines.h"
#include "marker_cleanup.h"
#include "markers.h"
#include "output_buffer.h"
#include "report_messages.h"

namespace RepoRTF_interface::detail {

namespace {

constexpr std::int64_t kMaxLevel = 999;

class DataPass {
  public:
    DataPass(TemplateText& converted, bool rtf, ReportWriter& report)
        : template_(converted), rtf_(rtf), report_(report), output_(converted) {}

    void Line(std::string_view line) {
        std::string_view rest = line;
        DataPair pair;
        bool hasPair = TakePair(rest, pair);
        if (pair.level < 0 || pair.level > kMaxLevel) throw RepoRTF_Error(messages::kStructure);
        if (pair.level == 0) {
            DocumentField(hasPair, pair);
        } else {
            BlockRow(hasPair, pair, rest);
        }
    }

    void Finish() {
        output_.AppendTemplate(start_, template_.Size());
        start_ = template_.Size();
        // The last flush can be the whole report: the indexes go first and the
        // template it was copied from right after, so that the report and its
        // cleaned copy fit in their place.
        template_.ReleaseIndexes();
        output_.DropIndex();
        std::string text = output_.Take();
        template_.Release();
        std::string cleaned = RemoveUnusedMarkers(text);
        text = std::string();
        if (!report_.Write(cleaned)) throw RepoRTF_Error(messages::kWriteError);
    }

  private:
    // The template buffer is template_.Text() from start_ on.
    void MoveTemplate(std::size_t to) {
        output_.AppendTemplate(start_, to);
        start_ = to;
    }

    void DocumentField(bool hasPair, const DataPair& pair) {
        previousLevel_ = 0;
        if (!hasPair) return;
        SearchKey key{std::string(pair.key)};
        if (!output_.Contains(key)) {
            std::size_t at = template_.FindKey(key, start_);
            if (at == TemplateText::npos) return;
            std::size_t blockMark = template_.NextBlockMark(at);
            MoveTemplate(blockMark == TemplateText::npos ? template_.Size() : blockMark);
        }
        output_.ReplaceAll(key, ConvertValue(pair.key, pair.value, rtf_));
    }

    void BlockRow(bool hasPair, const DataPair& first, std::string_view rest) {
        auto [open, close] =
            template_.FindBlockTags(BlockTag(static_cast<int>(first.level)), start_);
        if (close == TemplateText::npos) return;
        if (previousLevel_ == 0) {
            // The text before block 1 goes out with the first row.
            auto [block1, unused] = template_.FindBlockTags(BlockTag(1), start_);
            (void)unused;
            if (block1 != TemplateText::npos && block1 > start_) MoveTemplate(block1);
        }
        output_.AppendTemplate(open + kBlockTagSize, close);
        if (hasPair) {
            Fill(first);
            DataPair pair;
            while (!rest.empty() && TakePair(rest, pair)) Fill(pair);
        }
        Flush();
        previousLevel_ = first.level;
    }

    void Fill(const DataPair& pair) {
        SearchKey key{std::string(pair.key)};
        if (output_.Contains(key))
            output_.ReplaceAll(key, ConvertValue(pair.key, pair.value, rtf_));
    }

    void Flush() {
        if (!report_.Write(RemoveUnusedMarkers(output_.Take())))
            throw RepoRTF_Error(messages::kWriteError);
    }

    TemplateText& template_;
    const bool rtf_;
    ReportWriter& report_;
    OutputBuffer output_;
    std::size_t start_ = 0;
    std::int64_t previousLevel_ = 0;
};

}  // namespace

void RunDataPass(TemplateText& converted, bool rtf, std::string data,
                 const ProgressCallback& progress, ReportWriter& report) {
    DataPass pass(converted, rtf, report);
    DataLineReader lines(data);
    std::int64_t counter = 0;
    while (!lines.AtEnd()) {
        std::string line = lines.Next();
        ++counter;
        if (progress && progress(counter) != 0) throw RepoRTF_Error(messages::kAborted);
        if (line.empty() || line[0] == '#') continue;
        if (line.starts_with("|DOS:")) {
            lines.SetOemMode(true);
            continue;
        }
        if (line.starts_with("|WIN:")) {
            lines.SetOemMode(false);
            continue;
        }
        pass.Line(line);
    }
    data = std::string();  // read whole: its room goes to the last flush
    pass.Finish();
}

}  // namespace RepoRTF_interface::detail
