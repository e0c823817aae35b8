#include "shell/HelpText.h"

#include <string>

namespace lumetra {

namespace {

// One literal per line; the lines are joined with CR, the line end the help
// text has always been stored with.
constexpr std::string_view kLines[] = {
    "Lumetra",
    "",
    "Lumetra helps the factor analyst judge the residual coefficients of a factor solution. A residual coefficient is the difference between an observed correlation and the correlation that the factor model reproduces for the same pair of variables. The residuals can be looked at in two ways: all together, as one measure of overall misfit, and one by one.",
    "",
    "Overall, the root mean squared residual (RMSR) is the square root of the average squared residual: an average of the misfit in the coefficients' own unit. Smaller is better, and values of ≤.08 are preferred (Hu and Bentler, 1999; Brown, 2015). The RMSR keeps falling as more factors are extracted, so several models may reach ≤.08; the model to choose is the one beyond which a further factor no longer lowers the RMSR appreciably.",
    "",
    "One by one, the share of non-redundant residual coefficients whose absolute value exceeds .05 should be small, and absolute values over .10 point more strongly to a further factor. Residuals that are not both small and free of any pattern suggest that further factors are needed (Gorsuch, 1983; Fabrigar and Wegener, 2012), and any residual correlation over .10 deserves a closer look for local misfit (Kline, 2016).",
    "",
    "As a standard of close fit, an overall value of .05 with no single residual coefficient over .10 may serve. Keep in mind that the RMSR of a sample tends to run higher than it would in the population, so a sample value somewhat above .05 need not mean a poor model (see Harman, 1976, on the residual matrix, and Brown, 2015).",
    "",
    "Correlations",
    "Given a correlation matrix instead of a residual matrix, Lumetra also tells the number and the share of correlation coefficients of .30 or more. A factor analysis is appropriate when a fair number of coefficients are ≥ .30; together with Bartlett's test of sphericity and measures of sampling adequacy such as the Kaiser-Meyer-Olkin measure, coefficients ≥.30 show that the data suit the method (Tabachnick and Fidell, 2019). Note that the report counts the coefficients whose absolute value exceeds .30.",
    "",
    "",
    "Input",
    "The input is a tab-delimited text file. The easiest way to make one is to copy the residual matrix from the factor analysis output and paste it as text into a spreadsheet, which gives a v x v matrix for v variables, and to save that as tab-delimited text. Where the output holds no variable names, add a first column with the names.",
    "",
    "Only the lower triangle below the diagonal is read: line i belongs to variable i, its first field is the variable's name and its next fields are the coefficients with variables 1 to i-1. The cells on and above the diagonal may therefore be empty, or the file may hold the lower triangle alone.",
    "",
    "Names of at most 10 characters and values of at most 8 characters keep the report readable. Type the number of variables, press Begin and choose the file; the report is added to the results area, from where it can be copied into other documents.",
    "",
    "Example",
    "The example comes from an exploratory factor analysis of eight intelligence-test scores. The full residual matrix was copied from a statistics package's output into a spreadsheet and saved as tab-delimited text:",
    "",
    "vocab1\t\t0.016\t0.005\t0.023\t-0.024\t0.004\t-0.018\t-0.014",
    "designs1\t0.016\t\t0.002\t0.008\t-0.037\t-0.009\t-0.05\t0.06",
    "similar1\t0.005\t0.002\t\t-0.006\t0.03\t-0.019\t-0.012\t0.011",
    "matrix1\t0.023\t0.008\t-0.006\t\t-0.049\t-0.016\t0.032\t-0.027",
    "veranal2\t-0.024\t-0.037\t0.03\t-0.049\t\t0.019\t0.076\t-0.01",
    "vocab2\t0.004\t-0.009\t-0.019\t-0.016\t0.019\t\t0.007\t0.018",
    "matrix2\t-0.018\t-0.05\t-0.012\t0.032\t0.076\t0.007\t\t-0.017",
    "designs2\t-0.014\t0.06\t0.011\t-0.027\t-0.01\t0.018\t-0.017\t",
    "",
    "The cells above the diagonal may just as well be deleted and the lower triangle saved alone:",
    "vocab1",
    "designs1\t0.016",
    "similar1\t0.005\t0.002",
    "matrix1\t0.023\t0.008\t-0.006",
    "veranal2\t-0.024\t-0.037\t0.03\t-0.049",
    "vocab2\t0.004\t-0.009\t-0.019\t-0.016\t0.019",
    "matrix2\t-0.018\t-0.05\t-0.012\t0.032\t0.076\t0.007",
    "designs2\t-0.014\t0.06\t0.011\t-0.027\t-0.01\t0.018\t-0.017",
    "",
    "Results from Lumetra:",
    "========================================================================",
    "Coefficient Plot",
    "-.30+ |",
    "-.10  |",
    "      |",
    "      |",
    "      |••",
    "      |•••",
    "0±.20 |••••••••••••••••••",
    "      |•••",
    "      |•",
    "      |•",
    "      |",
    ".10   |",
    ".30+  |",
    "",
    "RMSR = 0.028",
    ">.05 = 2 (7.14%)",
    ">.10 = 0 (0.0%)",
    ">.30 = 0 (0.0%)",
    "Largest = +0.076",
    "========================================================================",
    "References",
    "Brown, T. A. (2015). Confirmatory factor analysis for applied research (2nd ed.). New York: Guilford Press.",
    "",
    "Fabrigar, L. R., & Wegener, D. T. (2012). Exploratory factor analysis. New York: Oxford University Press.",
    "",
    "Gorsuch, R. L. (1983). Factor analysis (2nd ed.). Hillsdale, NJ: Lawrence Erlbaum.",
    "",
    "Harman, H. H. (1976). Modern factor analysis (3rd ed.). Chicago: University of Chicago Press.",
    "",
    "Hu, L., & Bentler, P. M. (1999). Cutoff criteria for fit indexes in covariance structure analysis: Conventional criteria versus new alternatives. Structural Equation Modeling, 6(1), 1-55.",
    "",
    "Kline, R. B. (2016). Principles and practice of structural equation modeling (4th ed.). New York: Guilford Press.",
    "",
    "Tabachnick, B. G., & Fidell, L. S. (2019). Using multivariate statistics (7th ed.). Boston: Pearson.",
    "",
    "-------------------------------------------------------------------------------",
    "Lumetra is copyright 2026 the Lumetra authors and may be copied, changed and passed on under the MIT License.",
    "",
    "To cite this program: Lumetra (Version 1.1.0) [Computer software]. 2026.",
    "",
    "Lumetra comes without any warranty, express or implied, including fitness for a particular purpose. Its authors accept no liability for any loss or decision based on its results; check the results against your data before you rely on them.",
};

std::string JoinLines() {
  std::string text(kLines[0]);
  for (std::size_t i = 1; i < std::size(kLines); ++i) text.append("\r").append(kLines[i]);
  return text;
}

const std::string kHelpText = JoinLines();

}  // namespace

const std::string_view HelpText = kHelpText;

}  // namespace lumetra
