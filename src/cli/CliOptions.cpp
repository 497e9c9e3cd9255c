#include "cli/CliOptions.h"

#include <charconv>
#include <cmath>
#include <initializer_list>
#include <string_view>
#include <utility>

#include "model/GrowthState.h"
#include "model/GrowthSummary.h"
#include "optimization/FeedCostObjective.h"

namespace {

// Limits of the inputs that need no location; the weights' limits are in
// kg and checked by "Growth" in the location's weight unit.
constexpr double kMaxPigs = 1e9;

constexpr std::string_view kUsage = R"(Usage: tamsel-cli COMMAND [OPTIONS] [LOCATION.plt]

Runs the feed optimizer without a display. A location is a folder and a name
whose files share that name: LOCATION.plt is its calibration file, and the
whole set (diets .dts, ingredient matrix, restrictions, observations,
temperatures) is loaded as the "Calibration Name" field loads it.

Commands:
  grow LOCATION.plt       Runs "Growth" with the location's inputs and prints
                          the daily rows (age, weight, daily feed, total
                          feed), the per-diet summary (name, live weight and
                          age at the diet's end, daily gain, feed) and the
                          result fields (final age, total feed intake,
                          feed/gain, cost per pig).
  formulate LOCATION.plt  Runs "Run LP" and prints each diet's cost, its
                          ingredients in per cent and its nutrient levels.
                          With --sensitivity, after each diet what its
                          cost depends on (two tables, as the
                          "Sensitivity" tab shows them): its restrictions
                          (limit, level, whether binding, shadow price: the
                          change of the diet's cost when the limit rises by
                          the step under Per, and the range of the limit
                          over which it holds) and its ingredients
                          (inclusion, price, reduced cost: how much cheaper
                          one left out must get to come in, and the range of
                          the price over which the formula stays); for an
                          infeasible diet the restrictions that cannot all
                          hold together.
  calibrate LOCATION.plt  Runs "Calibration" keeping the location's name,
                          then "Continue Calibration" on the inputs as they
                          open (every weighing of the .cal file with its
                          feed, the herd inputs, the diets' feed amounts
                          where a weighing has none): fits the growth
                          curve B0..B4 (the classic fit, then the thorough
                          search after it) and prints it, the final age and
                          total feed of a run with it against the observed,
                          each weighing against that run (weight and feed
                          from the start, observed, simulated and their
                          difference), the fit's score (lower is closer)
                          and growth runs, the classic and the thorough
                          stage side by side (score, growth runs, seconds)
                          and the files it wrote. It writes nothing
                          unless --save; a poor fit (final age more than 2
                          days or total feed more than 5 % off the
                          observed) is reported, not saved, and exits 1.
  optimize LOCATION.plt --target-weight W
                          Runs "Growth" to the target weight (its cost per
                          pig is the starting cost), then "Run Optimization"
                          with the limits of "Program Add Min Max to
                          Current" around each diet's current value (feed
                          amount x 0.8 to x 1.2, net energy x 0.98 to x 1.02,
                          protein x 0.95 to x 1.05) and "Run Opt." (the
                          classic search, then the thorough search after
                          it, which holds the last diet's feed amount: the
                          last diet is fed to the target). Prints
                          per diet and value (Feed Wt., Net Energy, Protein)
                          the start, the optimum, what the optimum's run fed
                          (the feed the diet's phase ate, the energy and
                          protein of the diet as formulated), the limits and
                          whether it was optimized; the starting and
                          optimized cost per pig, the saving, the final age
                          and the evaluations; each optimized value's single
                          change (its optimum alone and the cost there); the
                          classic and the thorough stage side by side (cost
                          per pig, evaluations, seconds); and
                          the results file written beside the location
                          (LOCATION + "OPT" + month and year + ".txt").
REPORT_USAGE  example                 Grows a built-in group of pigs on three nursery
                          diets (the command when none is given).
  help                    Prints this text (also --help or -h anywhere).

Options of grow (and report); each sets the input a user would type (an input not set
keeps the location's), weights in the location's weight unit:
  --sex mixed|males|females   "Herd Sex"
  --feed grid|least-cost      "Feed Formulation": the diets table as it is
                              ("Use Diets on Grid") or least-cost formulas of
                              it ("Least Cost Formulas")
  --start-weight W            "Starting Weight", from 4 to 25 kg (8.82 to
                              55.125 lb)
  --start-age D               "Starting Age, Days", from 0 to 200
  --final-weight W            "Final Weight", from the starting weight to
                              25 kg (55.125 lb)
  --pigs N                    "Number of Pigs", a whole number from 1
Options of optimize:
  --target-weight W           "Target Weight", above the starting weight, in
                              the location's weight unit (required)
  --feed grid|least-cost      as for grow; with grid the question whether to
                              optimize the feed amounts only is answered Yes
                              (there are no formulas to move)
  --feed-only                 "Use Feed Weights Only": only the feed amounts
                              move (by default every value may move)
  --fix ROW                   keeps a row of the optimization table at its
                              current value: row 3(d - 1) + 1 is diet d's
                              feed amount, + 2 its net energy, + 3 its
                              protein (1 to 18; may be repeated)
  --progress                  reports the search on standard error every 100
                              evaluations (by default only on a terminal)
  --classic                   runs the classic search alone, without the
                              thorough search after it
  --precision shown|full      as below
Option of report:
  --pdf FILE                  the PDF file to write (required)
Option of formulate:
  --sensitivity               the sensitivity tables of each diet, or the
                              conflicting restrictions of an infeasible one
Options of calibrate:
  --save                      answers Yes to the save question of a fit
                              that is not poor: the .plt file gets the
                              fitted curve and the .cal file the inputs'
                              rows (a .cal that could not be read is kept
                              as it is)
  --progress                  reports the fit on standard error every 1000
                              growth runs (by default only on a terminal)
  --classic                   runs the classic fit alone, without the
                              thorough search after it
Option of grow, formulate and calibrate:
  --precision shown|full      shown (the default): numbers as the tables show
                              them; full: every number from the model state
                              at full double precision (%.17g)
An option's value may also follow an equals sign: --sex=males.

Output: tab-separated text on standard output, in blocks separated by an
empty line, each block opening with its heading row. Shown numbers use the
machine's decimal separator; full precision always uses a point.

Messages the application shows go to standard error. Questions are answered
No (a missing location is not made a new one, nothing is saved but by
calibrate --save; optimize answers Yes to its feed-amounts question),
OK/Cancel questions Cancel, input boxes are cancelled.

Exit status: 0 done (an optimization that found no lower cost is done, with
its message on standard error); 1 the run failed, with the application's
message on standard error (a missing location, "Need Feed Intakes", an
infeasible diet, a calibration check, no observations to calibrate to, "Set
the Target Weight", a results file that could not be written, a herd that
did not reach its final weight, ...); 2 a bad command line or option value
(also a --fix row beyond the location's diets).
)";

// The report command, in a build with the PDF report.
constexpr std::string_view kReportUsage =
    R"(  report LOCATION.plt --pdf FILE
                          Runs "Growth" with the location's inputs and writes
                          the Finishing Report of the run as a PDF file: the
                          location and date, the herd's inputs, each diet's
                          formula, nutrient levels and cost, the growth
                          chart, the per-diet summary, the results, the
                          calibration fit. Needs no display.
)";

bool ReportBuilt() {
#ifdef TAMSEL_PDF_REPORT
  return true;
#else
  return false;
#endif
}

std::optional<double> StrictNumber(std::string_view text) {
  double value = 0;
  const char* end = text.data() + text.size();
  auto [next, error] = std::from_chars(text.data(), end, value);
  if (error != std::errc() || next != end || !std::isfinite(value)) return std::nullopt;
  return value;
}

// What a number option accepts.
struct NumberRule {
  double low;
  double high;
  bool lowIncluded;
  bool whole;
  std::string_view wanted;  // said when the value is refused
};

constexpr NumberRule kStartWeightRule{0, kMaxPigs, false, false, "a number above 0"};
constexpr NumberRule kStartAgeRule{0, kMaxAge, true, false, "a number from 0 to 200"};
constexpr NumberRule kFinalWeightRule{0, kMaxPigs, false, false, "a number above 0"};
constexpr NumberRule kPigsRule{1, kMaxPigs, true, true, "a whole number from 1"};
constexpr NumberRule kTargetWeightRule{0, kMaxPigs, false, false, "a number above 0"};
// Rows of the optimization table the search can hold: six diets.
constexpr NumberRule kFixRowRule{
    1, kOptKinds* kOptDiets, true, true, "a table row, a whole number from 1 to 18"};

// A number option is kept as typed once it meets its rule.
std::string CheckNumber(std::string_view name,
                        const std::string& text,
                        const NumberRule& rule,
                        std::optional<std::string>& into) {
  const std::optional<double> value = StrictNumber(text);
  const bool accepted = value && (rule.lowIncluded ? *value >= rule.low : *value > rule.low) &&
                        *value <= rule.high && (!rule.whole || std::trunc(*value) == *value);
  if (!accepted)
    return std::string(name) + " needs " + std::string(rule.wanted) + ", not '" + text + "'";
  into = text;
  return {};
}

std::string ChooseFrom(std::string_view name,
                       const std::string& text,
                       std::initializer_list<std::pair<std::string_view, int>> choices,
                       std::optional<int>& into) {
  std::string allowed;
  for (const auto& [word, position] : choices) {
    if (text == word) {
      into = position;
      return {};
    }
    allowed += allowed.empty() ? "" : "|";
    allowed += word;
  }
  return std::string(name) + " needs one of " + allowed + ", not '" + text + "'";
}

bool TakesLocation(CliCommand command) {
  return command == CliCommand::Grow || command == CliCommand::Formulate ||
         command == CliCommand::Calibrate || command == CliCommand::Optimize ||
         command == CliCommand::Report;
}

std::string TakeFixRow(std::string_view name, const std::string& value, CliOptions& options) {
  std::optional<std::string> row;
  std::string error = CheckNumber(name, value, kFixRowRule, row);
  if (row) options.fixRows.push_back(static_cast<int>(*StrictNumber(*row)));
  return error;
}

// One option and its value; an error text, or "" when taken.
std::string TakeOption(std::string_view name, const std::string& value, CliOptions& options) {
  // A report grows the herd first, on the inputs a grow takes.
  const bool grow = options.command == CliCommand::Grow || options.command == CliCommand::Report;
  const bool optimize = options.command == CliCommand::Optimize;
  if (options.command == CliCommand::Report && name == "--pdf") {
    options.pdf = value;
    return value.empty() ? "--pdf needs a file name" : "";
  }
  if (name == "--precision" && TakesLocation(options.command)) {
    std::optional<int> full;
    std::string error = ChooseFrom(name, value, {{"shown", 0}, {"full", 1}}, full);
    if (full) options.precision = *full ? Precision::Full : Precision::Shown;
    return error;
  }
  if (grow && name == "--sex")
    return ChooseFrom(name,
                      value,
                      {{"mixed", kMixedHerd}, {"males", kMaleHerd}, {"females", kFemaleHerd}},
                      options.herdSex);
  if ((grow || optimize) && name == "--feed") {
    return ChooseFrom(
        name, value, {{"grid", kFeedGrid}, {"least-cost", kFeedLeastCost}}, options.feedChoice);
  }
  if (grow && name == "--start-weight")
    return CheckNumber(name, value, kStartWeightRule, options.startWeight);
  if (grow && name == "--start-age")
    return CheckNumber(name, value, kStartAgeRule, options.startAge);
  if (grow && name == "--final-weight")
    return CheckNumber(name, value, kFinalWeightRule, options.finalWeight);
  if (grow && name == "--pigs") return CheckNumber(name, value, kPigsRule, options.pigs);
  if (optimize && name == "--target-weight")
    return CheckNumber(name, value, kTargetWeightRule, options.targetWeight);
  if (optimize && name == "--fix") return TakeFixRow(name, value, options);
  return "unknown option " + std::string(name) + " for this command";
}

// Options that take no value; nullptr for any other.
bool* FlagOption(std::string_view name, CliOptions& options) {
  if (name == "--save") return &options.save;
  if (name == "--progress") return &options.progress;
  if (name == "--feed-only") return &options.feedOnly;
  if (name == "--classic") return &options.classic;
  if (name == "--sensitivity") return &options.sensitivity;
  return nullptr;
}

bool FlagAllowed(std::string_view name, CliCommand command) {
  if (name == "--progress")
    return command == CliCommand::Calibrate || command == CliCommand::Optimize;
  if (name == "--feed-only") return command == CliCommand::Optimize;
  if (name == "--classic")
    return command == CliCommand::Calibrate || command == CliCommand::Optimize;
  if (name == "--sensitivity") return command == CliCommand::Formulate;
  return command == CliCommand::Calibrate;
}

CliCommand CommandNamed(std::string_view word, bool& known) {
  known = true;
  if (word == "grow") return CliCommand::Grow;
  if (word == "formulate") return CliCommand::Formulate;
  if (word == "calibrate") return CliCommand::Calibrate;
  if (word == "optimize") return CliCommand::Optimize;
  if (word == "example") return CliCommand::Example;
  if (word == "report" && ReportBuilt()) return CliCommand::Report;
  if (word == "help") return CliCommand::Help;
  known = false;
  return CliCommand::Help;
}

}  // namespace

std::string UsageText() {
  std::string usage(kUsage);
  const std::string_view mark = "REPORT_USAGE";
  usage.replace(usage.find(mark), mark.size(), ReportBuilt() ? kReportUsage : "");
  return usage;
}

CliParse ParseCommandLine(const std::vector<std::string>& args) {
  CliParse parse;
  CliOptions& options = parse.options;
  for (const std::string& arg : args) {
    if (arg == "--help" || arg == "-h") return parse;  // help, whatever else was given
  }
  if (args.empty()) {
    options.command = CliCommand::Example;
    return parse;
  }
  bool known = false;
  options.command = CommandNamed(args[0], known);
  if (!known) {
    parse.error = "unknown command '" + args[0] + "'";
    return parse;
  }
  for (std::size_t i = 1; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg.rfind("--", 0) == 0) {
      const std::size_t equals = arg.find('=');
      std::string name = arg.substr(0, equals);
      if (bool* flag = FlagOption(name, options)) {
        if (!FlagAllowed(name, options.command)) {
          parse.error = "unknown option " + name + " for this command";
        } else if (equals != std::string::npos) {
          parse.error = name + " takes no value";
        }
        if (!parse.error.empty()) return parse;
        *flag = true;
        continue;
      }
      std::string value;
      if (equals != std::string::npos) {
        value = arg.substr(equals + 1);
      } else if (i + 1 < args.size()) {
        value = args[++i];
      } else {
        parse.error = name + " needs a value";
        return parse;
      }
      parse.error = TakeOption(name, value, options);
      if (!parse.error.empty()) return parse;
    } else if (TakesLocation(options.command) && options.location.empty()) {
      options.location = arg;
    } else {
      parse.error = "unexpected argument '" + arg + "'";
      return parse;
    }
  }
  if (TakesLocation(options.command) && options.location.empty())
    parse.error = args[0] + " needs a location's calibration file (LOCATION.plt)";
  else if (options.command == CliCommand::Optimize && !options.targetWeight)
    parse.error = "optimize needs --target-weight W";
  else if (options.command == CliCommand::Report && options.pdf.empty())
    parse.error = "report needs --pdf FILE";
  return parse;
}
