// An index over a state table whose rows carry from, to, status and periods: the runs of consecutive
// rows sharing all four, chained per status and periods in stored order. Walking the chain of one status
// and periods visits exactly the rows that the plain scan in stored order would test, in the same order,
// so it returns the same first match; the date test runs once per run, and rows of other statuses and
// periods are never visited.
#pragma once

#include <cstdint>

#include "frame/common.h"

namespace orla {

template <class Row, std::size_t N>
class RunIndex {
  public:
    constexpr explicit RunIndex(const Row (&table)[N]) : rows_(table) {
        for (std::size_t i = 0; i < N; ++i) {
            const Row& r = table[i];
            if (runCount_ > 0) {
                Run& last = runs_[runCount_ - 1];
                if (last.status == r.status && last.periods == r.periods && sameDate(last.from, r.from) &&
                    sameDate(last.to, r.to)) {
                    last.end = static_cast<std::uint32_t>(i + 1);
                    continue;
                }
            }
            const auto run = static_cast<std::uint32_t>(runCount_++);
            runs_[run] = Run{r.from, r.to, r.status, r.periods, static_cast<std::uint32_t>(i),
                             static_cast<std::uint32_t>(i + 1), kNone};
            std::size_t h = 0;
            while (h < headCount_ && (heads_[h].status != r.status || heads_[h].periods != r.periods)) ++h;
            if (h == headCount_) {
                heads_[headCount_++] = Head{r.status, r.periods, run, run};
            } else {
                runs_[heads_[h].last].next = run;
                heads_[h].last = run;
            }
        }
    }

    // The first row in stored order that serves status and periods, covers d and is accepted by accept.
    template <class Accept>
    const Row* find(const CalcDate& d, int status, int periods, Accept&& accept) const {
        for (std::size_t h = 0; h < headCount_; ++h) {
            if (heads_[h].status != status || heads_[h].periods != periods) continue;
            for (std::uint32_t i = heads_[h].first; i != kNone; i = runs_[i].next) {
                const Run& run = runs_[i];
                if (!rowCovers(run.from, run.to, d)) continue;
                for (std::uint32_t k = run.begin; k < run.end; ++k)
                    if (accept(rows_[k])) return &rows_[k];
            }
            return nullptr;
        }
        return nullptr;
    }

  private:
    static constexpr std::uint32_t kNone = UINT32_MAX;

    struct Run {
        CalcDate from;
        CalcDate to;
        int status;
        int periods;
        std::uint32_t begin;
        std::uint32_t end;
        std::uint32_t next;  // the next run of the same status and periods, kNone at the end
    };
    struct Head {
        int status;
        int periods;
        std::uint32_t first;
        std::uint32_t last;
    };

    static constexpr bool sameDate(const CalcDate& a, const CalcDate& b) {
        return a.month == b.month && a.day == b.day && a.year == b.year;
    }

    const Row* rows_;
    Run runs_[N]{};
    Head heads_[N]{};
    std::size_t runCount_ = 0;
    std::size_t headCount_ = 0;
};

}  // namespace orla
