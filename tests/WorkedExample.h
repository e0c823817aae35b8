// The help text's worked example of eight variables: its matrix file and
// the report it gives, character for character.
#pragma once

#include <string>

namespace lumetra::testing {

// The lower triangle, one line per variable.
inline const char* const kWorkedExample[8] = {
    "vocab1",
    "designs1\t0.016",
    "similar1\t0.005\t0.002",
    "matrix1\t0.023\t0.008\t-0.006",
    "veranal2\t-0.024\t-0.037\t0.03\t-0.049",
    "vocab2\t0.004\t-0.009\t-0.019\t-0.016\t0.019",
    "matrix2\t-0.018\t-0.05\t-0.012\t0.032\t0.076\t0.007",
    "designs2\t-0.014\t0.06\t0.011\t-0.027\t-0.01\t0.018\t-0.017"};

inline std::string Joined(const char* const* lines, int count, const std::string& end) {
  std::string text;
  for (int i = 0; i < count; ++i) text += std::string(lines[i]) + end;
  return text;
}

inline std::string WorkedExampleFile() { return Joined(kWorkedExample, 8, "\n"); }

// The report after its two header lines and the empty line.
inline const std::string kWorkedExampleReportBody =
    "Coefficients\n"
    " vocab1     \n"
    " designs1    +0.016 \n"
    " similar1    +0.005  +0.002 \n"
    " matrix1     +0.023  +0.008  -0.006 \n"
    " veranal2    -0.024  -0.037  +0.030  -0.049 \n"
    " vocab2      +0.004  -0.009  -0.019  -0.016  +0.019 \n"
    " matrix2     -0.018  -0.050  -0.012  +0.032  +0.076  +0.007 \n"
    " designs2    -0.014  +0.060  +0.011  -0.027  -0.010  +0.018  -0.017 \n"
    "========================================================================\n"
    "Coefficient Plot\n"
    "-.30+ |\n"
    "-.10  |\n"
    "      |\n"
    "      |\n"
    "      |\u2022\u2022\n"
    "      |\u2022\u2022\u2022\n"
    "0\u00B1.20 |\u2022\u2022\u2022\u2022\u2022\u2022\u2022\u2022\u2022\u2022\u2022\u2022\u2022\u2022\u2022\u2022\u2022\u2022\n"
    "      |\u2022\u2022\u2022\n"
    "      |\u2022\n"
    "      |\u2022\n"
    "      |\n"
    ".10   |\n"
    ".30+  |\n"
    "\n"
    "RMSR = 0.028\n"
    ">.05 = 2 (7.14%)\n"
    ">.10 = 0 (0.0%)\n"
    ">.30 = 0 (0.0%)\n"
    "Largest = +0.076\n"
    "========================================================================\n"
    "Lumetra 1.1.0 - residual analysis of factor solutions\n";

}  // namespace lumetra::testing
