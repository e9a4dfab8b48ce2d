#include "rtf/data_pass.h"
#include "rtf/free_storage.h"

#include <string>

#include "rtf/data_lines.h"
#include "rtf/marker_cleanup.h"
#include "rtf/markers.h"
#include "rtf/output_buffer.h"
#include "rtf/report_messages.h"

namespace RepoRTF_interface::detail {

namespace {

constexpr std::int64_t kMaxLevel = 999;

class DataPass {
  public:
    DataPass(TemplateText& converted, bool rtf, ReportWriter& report)
        : template_(converted), rtf_(rtf), report_(report), output_(converted) {}

    void line(std::string_view line) {
        std::string_view rest = line;
        DataPair pair;
        bool hasPair = takePair(rest, pair);
        if (pair.level < 0 || pair.level > kMaxLevel) throw RepoRTF_Error(messages::kStructure);
        if (pair.level == 0) {
            documentField(hasPair, pair);
        } else {
            blockRow(hasPair, pair, rest);
        }
    }

    void finish() {
        output_.appendTemplate(start_, template_.size());
        start_ = template_.size();
        // The last flush can be the whole report: the indexes go first and the
        // template it was copied from right after, so that the report and its
        // cleaned copy fit in their place.
        template_.releaseIndexes();
        output_.dropIndex();
        std::string text = output_.take();
        template_.release();
        std::string cleaned = removeUnusedMarkers(text);
        freeStorage(text);
        if (!report_.write(cleaned))
            throw RepoRTF_Error(messages::kWriteError, report_.failureReason());
    }

  private:
    // The template buffer is template_.text() from start_ on.
    void moveTemplate(std::size_t to) {
        output_.appendTemplate(start_, to);
        start_ = to;
        // Once all of the template is in the output, nothing is sought in it
        // any more: only its text stays, which the output refers to.
        if (start_ == template_.size()) template_.releaseIndexes();
    }

    void documentField(bool hasPair, const DataPair& pair) {
        previousLevel_ = 0;
        if (!hasPair) return;
        SearchKey key{std::string(pair.key)};
        if (!output_.contains(key)) {
            std::size_t at = template_.findKey(key, start_);
            if (at == TemplateText::npos) return;
            std::size_t blockMark = template_.nextBlockMark(at);
            moveTemplate(blockMark == TemplateText::npos ? template_.size() : blockMark);
        }
        output_.replaceAll(key, convertValue(pair.key, pair.value, rtf_));
    }

    void blockRow(bool hasPair, const DataPair& first, std::string_view rest) {
        auto [open, close] =
            template_.findBlockTags(blockTag(static_cast<int>(first.level)), start_);
        if (close == TemplateText::npos) return;
        if (previousLevel_ == 0) {
            // The text before block 1 goes out with the first row.
            auto [block1, unused] = template_.findBlockTags(blockTag(1), start_);
            (void)unused;
            if (block1 != TemplateText::npos && block1 > start_) moveTemplate(block1);
        }
        output_.appendTemplate(open + kBlockTagSize, close);
        if (hasPair) {
            fill(first);
            DataPair pair;
            while (!rest.empty() && takePair(rest, pair)) fill(pair);
        }
        flush();
        previousLevel_ = first.level;
    }

    void fill(const DataPair& pair) {
        SearchKey key{std::string(pair.key)};
        if (output_.contains(key))
            output_.replaceAll(key, convertValue(pair.key, pair.value, rtf_));
    }

    void flush() {
        if (!report_.write(removeUnusedMarkers(output_.take())))
            throw RepoRTF_Error(messages::kWriteError, report_.failureReason());
    }

    TemplateText& template_;
    const bool rtf_;
    ReportWriter& report_;
    OutputBuffer output_;
    std::size_t start_ = 0;
    std::int64_t previousLevel_ = 0;
};

}  // namespace

void runDataPass(TemplateText& converted, bool rtf, std::string data,
                 const ProgressCallback& progress, ReportWriter& report) {
    DataPass pass(converted, rtf, report);
    DataLineReader lines(data);
    std::int64_t counter = 0;
    while (!lines.atEnd()) {
        std::string line = lines.next();
        ++counter;
        if (progress && progress(counter) != 0) throw RepoRTF_Error(messages::kAborted);
        if (line.empty() || line[0] == '#') continue;
        if (line.starts_with("|DOS:")) {
            lines.setOemMode(true);
            continue;
        }
        if (line.starts_with("|WIN:")) {
            lines.setOemMode(false);
            continue;
        }
        pass.line(line);
    }
    freeStorage(data);  // read whole: its room goes to the last flush
    pass.finish();
}

}  // namespace RepoRTF_interface::detail
