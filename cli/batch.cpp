#include "batch.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <deque>
#include <future>

#include <fmt/format.h>
#include <sys/stat.h>
#include <unistd.h>

#include "csv.h"

namespace orla_cli {

namespace {

// About fifteen thousand pays: large enough to keep a thread busy, small enough to bound the memory.
constexpr std::size_t kBlockBytes = std::size_t{1} << 20;
constexpr long kProgressThreshold = 10000;

struct Block {
    std::string text;  // whole lines
    long firstLine = 0;
};

struct BlockResult {
    std::size_t bytes = 0;  // of input, for the progress
    std::string output;
    std::string errors;
    Totals totals;
};

struct Context {
    const BatchSettings& settings;
    const CsvLayout& layout;
    const BatchWriter& writer;
};

bool isBlank(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return c == ' ' || c == '\t'; });
}

std::string joined(const std::vector<std::string>& notes) {
    std::string text;
    for (const std::string& note : notes) text += (text.empty() ? "" : "; ") + note;
    return text;
}

BlockResult processBlock(const Block& block, const Context& context) {
    BlockResult result;
    result.bytes = block.text.size();
    result.output.reserve(block.text.size() * 2);
    CsvScratch scratch;
    PayInput input;
    std::string_view id;
    std::string_view rest = block.text;
    for (long line = block.firstLine; !rest.empty(); ++line) {
        const std::size_t newline = rest.find('\n');
        std::string_view text = rest.substr(0, newline);
        rest.remove_prefix(newline == std::string_view::npos ? rest.size() : newline + 1);
        if (!text.empty() && text.back() == '\r') text.remove_suffix(1);
        // A blank line holds no pay. Any other line is a row: one that begins with '#' too, whose first
        // cell may be an id such as #1001.
        if (isBlank(text)) {
            ++result.totals.skippedLines;
            continue;
        }
        if (!parseCsvRow(text, context.layout, context.settings.defaults, context.settings.mode, input, id, scratch)) {
            result.errors += fmt::format("{}:{}: {}\n", context.settings.sourceName, line, scratch.error);
            ++result.totals.badRows;
            continue;
        }
        PayResult pay = calculate(input, context.settings.mode);
        if (context.settings.levies) pay.levies = computeLevies(*context.settings.levies, pay.pay, pay.state);
        context.writer.row(result.output, line, id, pay);
        result.totals.add(pay);
        if (pay.failed())
            result.errors += fmt::format("{}:{}: pay failed, left out of the totals: {}\n", context.settings.sourceName, line,
                                         joined(explain(pay)));
    }
    return result;
}

// Reads whole lines: the block ends at the last line break read, the rest waits for the next block.
class LineReader {
public:
    explicit LineReader(std::FILE* in) : in_(in) {}

    bool next(std::string& text) {
        text.swap(carry_);
        carry_.clear();
        while (!eof_) {
            const std::size_t old = text.size();
            text.resize(old + kBlockBytes);
            const std::size_t got = std::fread(text.data() + old, 1, kBlockBytes, in_);
            text.resize(old + got);
            if (got < kBlockBytes) eof_ = true;
            const std::size_t lastBreak = text.rfind('\n');
            if (lastBreak != std::string::npos) {
                carry_.assign(text, lastBreak + 1);
                text.resize(lastBreak + 1);
                break;
            }
        }
        return !text.empty();
    }

    bool failed() const { return std::ferror(in_) != 0; }

private:
    std::FILE* in_;
    std::string carry_;
    bool eof_ = false;
};

class Progress {
public:
    Progress(std::FILE* in, std::FILE* errors) : errors_(errors) {
        enabled_ = isatty(fileno(errors)) != 0;
        struct stat info {};
        if (enabled_ && fstat(fileno(in), &info) == 0 && S_ISREG(info.st_mode)) totalBytes_ = static_cast<std::size_t>(info.st_size);
    }

    void update(long rows, std::size_t bytes) {
        if (!enabled_) return;
        // Shown for a large batch only: by the size of the file where known, else once it has grown large.
        const double share = totalBytes_ > 0 ? static_cast<double>(bytes) / static_cast<double>(totalBytes_) : 0.0;
        const long expected = share > 0 ? static_cast<long>(static_cast<double>(rows) / share) : rows;
        if (expected <= kProgressThreshold) return;
        shown_ = true;
        if (totalBytes_ > 0) {
            constexpr int kWidth = 30;
            const int filled = static_cast<int>(share * kWidth);
            fmt::print(errors_, "\r[{}{}] {:3d}%  {} pays", std::string(static_cast<std::size_t>(filled), '#'),
                       std::string(static_cast<std::size_t>(kWidth - filled), ' '), static_cast<int>(share * 100), rows);
        } else {
            fmt::print(errors_, "\r{} pays", rows);
        }
        std::fflush(errors_);
    }

    void finish() {
        if (shown_) fmt::print(errors_, "\r\033[K");
    }

private:
    std::FILE* errors_;
    bool enabled_ = false;
    bool shown_ = false;
    std::size_t totalBytes_ = 0;
};

}  // namespace

int runBatch(std::FILE* in, std::FILE* out, std::FILE* errors, const BatchSettings& settings) {
    LineReader reader(in);
    std::string text;
    Totals totals;
    // The header is the first line that is neither blank nor a comment ('#'); the lines before it are
    // skipped and counted. A byte-order mark may open the file.
    long headerLine = 1;
    std::size_t headerStart = 0;
    std::size_t bytesDone = 0;
    bool firstBlock = true;
    std::string_view header;
    while (true) {
        if (headerStart >= text.size()) {
            bytesDone += text.size();
            if (!reader.next(text)) {
                fmt::print(errors, "{}: {}\n", settings.sourceName, reader.failed() ? "cannot be read" : "empty: no header line");
                return kExitUsage;
            }
            headerStart = 0;
            if (firstBlock && text.starts_with("\xEF\xBB\xBF")) headerStart = 3;
            firstBlock = false;
        }
        const std::size_t newline = text.find('\n', headerStart);
        std::string_view line = std::string_view(text).substr(headerStart, newline == std::string::npos ? std::string::npos : newline - headerStart);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (!line.starts_with('#') && !isBlank(line)) {
            header = line;
            break;
        }
        ++totals.skippedLines;
        ++headerLine;
        headerStart = newline == std::string::npos ? text.size() : newline + 1;
    }
    const std::size_t headerEnd = text.find('\n', headerStart);
    CsvLayout layout;
    std::string error;
    if (!parseCsvHeader(header, layout, error)) {
        fmt::print(errors, "{}:{}: {}\n", settings.sourceName, headerLine, error);
        return kExitUsage;
    }
    if (const Field* missing = missingColumn(layout, settings.defaults, settings.mode)) {
        fmt::print(errors, "{}:{}: no column {}: it is required (or give --{} for every row)\n", settings.sourceName, headerLine,
                   missing->name, missing->name);
        return kExitUsage;
    }

    const BatchWriter writer(settings.format, layout.idColumn >= 0, settings.levies != nullptr);
    const Context context{settings, layout, writer};
    Progress progress(in, errors);
    bool firstRow = true;
    bool writeFailed = false;
    long rowsDone = 0;
    bytesDone += headerEnd == std::string::npos ? text.size() : headerEnd + 1;

    // Every write is checked: a full disk or a closed pipe ends the batch with status 2, not with 0.
    const auto write = [&](std::string_view data) {
        if (!writeFailed && !data.empty() && std::fwrite(data.data(), 1, data.size(), out) != data.size()) writeFailed = true;
    };
    write(writer.header());
    const auto emit = [&](BlockResult result) {
        std::string_view output = result.output;
        if (settings.format == Format::Json && firstRow && output.starts_with(",")) output.remove_prefix(1);
        if (!output.empty()) firstRow = false;
        write(output);
        if (!result.errors.empty()) {
            progress.finish();
            std::fwrite(result.errors.data(), 1, result.errors.size(), errors);
        }
        totals.merge(result.totals);
        rowsDone = static_cast<long>(totals.pays + totals.failedPays + totals.badRows);
        bytesDone += result.bytes;
        progress.update(rowsDone, bytesDone);
    };

    // The header's block goes on with the rows after the header.
    Block block{headerEnd == std::string::npos ? std::string{} : text.substr(headerEnd + 1), headerLine + 1};
    std::deque<std::future<BlockResult>> pending;
    const std::size_t inFlight = std::max(1u, settings.threads);
    while (!writeFailed) {
        const long lines = static_cast<long>(std::count(block.text.begin(), block.text.end(), '\n'));
        const long nextLine = block.firstLine + lines;
        if (!block.text.empty()) {
            if (settings.threads <= 1) {
                emit(processBlock(block, context));
            } else {
                if (pending.size() >= inFlight) {
                    emit(pending.front().get());
                    pending.pop_front();
                }
                pending.push_back(std::async(std::launch::async, [&context, b = std::move(block)] { return processBlock(b, context); }));
            }
        }
        if (!reader.next(text)) break;
        block = Block{std::move(text), nextLine};
        text = std::string{};
    }
    for (auto& result : pending) emit(result.get());
    progress.finish();

    write(writer.footer(totals));
    if (std::fflush(out) != 0 || std::ferror(out)) writeFailed = true;
    if (writeFailed) {
        fmt::print(errors, "orla-calc: cannot write the results: {}\n", std::strerror(errno));
        return kExitUsage;
    }
    if (reader.failed()) {
        fmt::print(errors, "{}: read error after line {}\n", settings.sourceName, rowsDone + 1);
        return kExitUsage;
    }
    if (totals.failedPays > 0 || totals.badRows > 0) {
        std::string summary;
        if (totals.badRows > 0) summary = fmt::format("{} bad rows skipped", totals.badRows);
        if (totals.failedPays > 0)
            summary += fmt::format("{}{} pays failed (left out of the totals)", summary.empty() ? "" : ", ", totals.failedPays);
        fmt::print(errors, "{}: {}\n", settings.sourceName, summary);
        return kExitIncomplete;
    }
    return kExitOk;
}

}  // namespace orla_cli
