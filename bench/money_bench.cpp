// Money arithmetic next to GMP on the same work. Each operation runs as
// "<op>/ours" and "<op>/gmp"; after the runs the ratios ours/gmp are printed.

#include <benchmark/benchmark.h>
#include <gmp.h>

#include <cstdio>
#include <map>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "game/money/Integer.h"
#include "game/money/money.h"

namespace {

using Purenum::Integer;

std::string Digits(size_t n, uint64_t seed) {
  std::mt19937_64 rng(seed);
  std::string s(1, static_cast<char>('1' + rng() % 9));
  while (s.size() < n) s += static_cast<char>('0' + rng() % 10);
  return s;
}

// Gold on hand plus a deposit, as the bank does it: both amounts come in as
// text, the sum goes back out as text.
void RoundTripOurs(benchmark::State& state, const std::string& a, const std::string& b) {
  for (auto _ : state) {
    Integer x(a.c_str());
    Integer y(b.c_str());
    x += y;
    std::string s = x.str();
    benchmark::DoNotOptimize(s.data());
  }
}

void RoundTripGmp(benchmark::State& state, const std::string& a, const std::string& b) {
  char buf[64];
  for (auto _ : state) {
    mpz_t x, y;
    mpz_init_set_str(x, a.c_str(), 10);
    mpz_init_set_str(y, b.c_str(), 10);
    mpz_add(x, x, y);
    std::string s = mpz_get_str(buf, 10, x);
    benchmark::DoNotOptimize(s.data());
    mpz_clear(x);
    mpz_clear(y);
  }
}

void MulOurs(benchmark::State& state, const std::string& a, const std::string& b) {
  Integer x(a), y(b);
  for (auto _ : state) {
    Integer p = x * y;
    benchmark::DoNotOptimize(&p);
  }
}

// GMP keeps its destination between iterations, its cheapest use.
void MulGmp(benchmark::State& state, const std::string& a, const std::string& b) {
  mpz_t x, y, p;
  mpz_init_set_str(x, a.c_str(), 10);
  mpz_init_set_str(y, b.c_str(), 10);
  mpz_init(p);
  for (auto _ : state) {
    mpz_mul(p, x, y);
    benchmark::DoNotOptimize(p);
  }
  mpz_clears(x, y, p, nullptr);
}

void DivOurs(benchmark::State& state, const std::string& a, const std::string& b) {
  Integer x(a), y(b);
  for (auto _ : state) {
    Integer q = x / y;
    benchmark::DoNotOptimize(&q);
  }
}

void DivGmp(benchmark::State& state, const std::string& a, const std::string& b) {
  mpz_t x, y, q;
  mpz_init_set_str(x, a.c_str(), 10);
  mpz_init_set_str(y, b.c_str(), 10);
  mpz_init(q);
  for (auto _ : state) {
    mpz_tdiv_q(q, x, y);
    benchmark::DoNotOptimize(q);
  }
  mpz_clears(x, y, q, nullptr);
}

void CommasOurs(benchmark::State& state, const std::string& a) {
  for (auto _ : state) {
    std::string s = AddCommas(a);
    benchmark::DoNotOptimize(s.data());
  }
}

void CommasC(benchmark::State& state, const std::string& a) {
  char buf[64];
  for (auto _ : state) {
    AddCommas(a.c_str(), buf);
    benchmark::DoNotOptimize(buf);
  }
}

// Keeps each run's time per iteration so that the pairs can be compared;
// with --benchmark_repetitions the median stands for the run.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      if (run.error_occurred) continue;
      const std::string name = run.run_name.str();
      bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
      if (median || (run.run_type == Run::RT_Iteration && !medians_.count(name))) {
        times_[name] = run.GetAdjustedRealTime();
        units_[name] = benchmark::GetTimeUnitString(run.time_unit);
        if (median) medians_.insert(name);
      }
    }
    ConsoleReporter::ReportRuns(runs);
  }

  void PrintRatios(const std::vector<std::string>& ops) const {
    std::printf("\n%-28s %14s %14s %8s\n", "operation", "ours", "gmp", "ours/gmp");
    for (const std::string& op : ops) {
      auto ours = times_.find(op + "/ours");
      auto gmp = times_.find(op + "/gmp");
      if (ours == times_.end() || gmp == times_.end()) continue;
      std::printf("%-28s %11.1f %-2s %11.1f %-2s %8.2f\n", op.c_str(), ours->second,
                  units_.at(ours->first).c_str(), gmp->second, units_.at(gmp->first).c_str(),
                  ours->second / gmp->second);
    }
  }

 private:
  std::map<std::string, double> times_;
  std::map<std::string, std::string> units_;
  std::set<std::string> medians_;
};

}  // namespace

int main(int argc, char** argv) {
  const std::string amount7 = "1234567", deposit7 = "7654321";
  const std::string amount20 = "98765432109876543210", deposit20 = "12345678901234567890";
  const std::string a1000 = Digits(1000, 1), b1000 = Digits(1000, 2);
  // A 2,000-digit dividend by a 1,000-digit divisor: a 1,000-digit quotient.
  const std::string dividend = (Integer(a1000) * Integer(Digits(1000, 3)) + Integer(b1000)).str();

  benchmark::RegisterBenchmark("roundtrip_7_digits/ours", RoundTripOurs, amount7, deposit7);
  benchmark::RegisterBenchmark("roundtrip_7_digits/gmp", RoundTripGmp, amount7, deposit7);
  benchmark::RegisterBenchmark("roundtrip_20_digits/ours", RoundTripOurs, amount20, deposit20);
  benchmark::RegisterBenchmark("roundtrip_20_digits/gmp", RoundTripGmp, amount20, deposit20);
  benchmark::RegisterBenchmark("mul_1000_digits/ours", MulOurs, a1000, b1000);
  benchmark::RegisterBenchmark("mul_1000_digits/gmp", MulGmp, a1000, b1000);
  benchmark::RegisterBenchmark("div_2000_by_1000_digits/ours", DivOurs, dividend, b1000);
  benchmark::RegisterBenchmark("div_2000_by_1000_digits/gmp", DivGmp, dividend, b1000);
  benchmark::RegisterBenchmark("addcommas_20_digits/string", CommasOurs, amount20);
  benchmark::RegisterBenchmark("addcommas_20_digits/c", CommasC, amount20);

  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  reporter.PrintRatios(
      {"roundtrip_7_digits", "roundtrip_20_digits", "mul_1000_digits", "div_2000_by_1000_digits"});
  return 0;
}
