#include "batch.h"

#include <algorithm>
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
    bool needsState;
};

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
        if (text.empty() || text.front() == '#' || std::all_of(text.begin(), text.end(), [](char c) { return c == ' ' || c == '\t'; }))
            continue;
        if (!parseCsvRow(text, context.layout, context.settings.defaults, context.needsState, input, id, scratch)) {
            result.errors += fmt::format("{}:{}: {}\n", context.settings.sourceName, line, scratch.error);
            ++result.totals.badRows;
            continue;
        }
        PayResult pay = calculate(input, context.settings.mode);
        if (context.settings.levies) pay.levies = computeLevies(*context.settings.levies, pay.pay, pay.state);
        context.writer.row(result.output, line, id, pay);
        result.totals.add(pay);
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
    if (!reader.next(text)) {
        fmt::print(errors, "{}: {}\n", settings.sourceName, reader.failed() ? "cannot be read" : "empty: no header line");
        return kExitUsage;
    }
    std::size_t headerEnd = text.find('\n');
    std::string_view header = std::string_view(text).substr(0, headerEnd);
    if (header.starts_with("\xEF\xBB\xBF")) header.remove_prefix(3);  // a spreadsheet's byte-order mark
    if (!header.empty() && header.back() == '\r') header.remove_suffix(1);
    CsvLayout layout;
    std::string error;
    if (!parseCsvHeader(header, layout, error)) {
        fmt::print(errors, "{}:1: {}\n", settings.sourceName, error);
        return kExitUsage;
    }

    const BatchWriter writer(settings.format, layout.idColumn >= 0, settings.levies != nullptr);
    const Context context{settings, layout, writer, !federalOnly(settings.mode)};
    Progress progress(in, errors);
    Totals totals;
    bool firstRow = true;
    long rowsDone = 0;
    std::size_t bytesDone = headerEnd == std::string::npos ? text.size() : headerEnd + 1;

    const std::string head = writer.header();
    std::fwrite(head.data(), 1, head.size(), out);
    const auto emit = [&](BlockResult result) {
        std::string_view output = result.output;
        if (settings.format == Format::Json && firstRow && output.starts_with(",")) output.remove_prefix(1);
        if (!output.empty()) firstRow = false;
        std::fwrite(output.data(), 1, output.size(), out);
        if (!result.errors.empty()) {
            progress.finish();
            std::fwrite(result.errors.data(), 1, result.errors.size(), errors);
        }
        totals.merge(result.totals);
        rowsDone = static_cast<long>(totals.pays + totals.badRows);
        bytesDone += result.bytes;
        progress.update(rowsDone, bytesDone);
    };

    // The header's block goes on with the rows after the header.
    Block block{headerEnd == std::string::npos ? std::string{} : text.substr(headerEnd + 1), 2};
    std::deque<std::future<BlockResult>> pending;
    const std::size_t inFlight = std::max(1u, settings.threads);
    while (true) {
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

    const std::string foot = writer.footer(totals);
    std::fwrite(foot.data(), 1, foot.size(), out);
    std::fflush(out);
    if (reader.failed()) {
        fmt::print(errors, "{}: read error after line {}\n", settings.sourceName, rowsDone + 1);
        return kExitUsage;
    }
    if (std::ferror(out)) {
        fmt::print(errors, "orla-calc: cannot write the results\n");
        return kExitUsage;
    }
    return totals.badRows > 0 ? kExitBadRows : kExitOk;
}

}  // namespace orla_cli
