// Steps of a recording: folding repeated pairs.
#include "content/recorded_steps.h"

namespace {

bool IsRepeat(const RecordedStep& step) { return step.kind == RecordedStep::Kind::Repeat; }

}  // namespace

void AppendStep(std::vector<RecordedStep>& steps, const RecordedStep& step) {
  steps.push_back(step);
  const std::size_t n = steps.size();
  // [X, Y, *k, X, Y] becomes [X, Y, *k+1].
  if (n >= 5 && IsRepeat(steps[n - 3]) && steps[n - 5] == steps[n - 2] && steps[n - 4] == steps[n - 1]) {
    steps.resize(n - 2);
    ++steps.back().value;
    return;
  }
  // [X, Y, X, Y] becomes [X, Y, *1].
  if (n >= 4 && steps[n - 4] == steps[n - 2] && steps[n - 3] == steps[n - 1] && !IsRepeat(steps[n - 4]) &&
      !IsRepeat(steps[n - 3])) {
    steps.resize(n - 2);
    steps.push_back({RecordedStep::Kind::Repeat, 1, {}});
  }
}

bool RepeatFits(const std::vector<RecordedStep>& steps, std::size_t index) {
  return index >= 2 && steps[index].value >= 1 && !IsRepeat(steps[index - 1]) && !IsRepeat(steps[index - 2]);
}
