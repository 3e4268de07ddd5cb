#include "dialog.h"

#include <xsihost/text.h>

#include <istream>
#include <optional>
#include <ostream>

#include "options.h"
#include "printable.h"

namespace minihost {

using xsihost::DialogAnswer;
using xsihost::DialogRequest;

namespace {

// The first enumeration control of the dialog, or nullptr.
const xsihost::DialogControl* FirstChoice(const DialogRequest& request) {
  for (const auto& control : request.controls) {
    if (!control.items.empty())
      return &control;
  }
  return nullptr;
}

DialogAnswer Choose(const DialogRequest& request, const xsihost::DialogControl& control,
                    size_t item) {
  xsihost::SetParameterValue(request.property, control.scriptName, control.items[item].value);
  return DialogAnswer::Confirm;
}

// The item `typed` names: its number or its label, blanks around it and case not counting.
std::optional<size_t> FindItem(const std::string& typed, const xsihost::DialogControl& control) {
  const std::string wanted = NormalizedAnswer(typed);
  for (size_t i = 0; i < control.items.size(); ++i) {
    if (wanted == std::to_string(i + 1) ||
        wanted == NormalizedAnswer(xsihost::ToUtf8(control.items[i].label))) {
      return i;
    }
  }
  return std::nullopt;
}

}  // namespace

xsihost::DialogResponder AnswerWith(const std::string& choice,
                                    std::shared_ptr<DialogOutcome> outcome) {
  return [choice, outcome](const DialogRequest& request) {
    outcome->shown = true;
    if (NormalizedAnswer(choice) == "cancel")
      return DialogAnswer::Cancel;
    if (const auto* control = FirstChoice(request)) {
      if (const auto item = FindItem(choice, *control))
        return Choose(request, *control, *item);
    }
    outcome->error = "the dialog has no choice '" + Excerpt(choice) + "'";
    return DialogAnswer::Cancel;
  };
}

xsihost::DialogResponder AskOnTerminal(std::istream& in, std::ostream& out,
                                       std::shared_ptr<DialogOutcome> outcome) {
  return [&in, &out, outcome](const DialogRequest& request) {
    outcome->shown = true;
    const auto* control = FirstChoice(request);
    out << "== " << Printable(xsihost::ToUtf8(request.title)) << " ==\n";
    if (control == nullptr) {
      out << "(nothing to choose) press Enter to confirm, or type cancel: " << std::flush;
      std::string line;
      if (!std::getline(in, line) || NormalizedAnswer(line) == "cancel")
        return DialogAnswer::Cancel;
      return DialogAnswer::Confirm;
    }
    const XSI::CValue current = xsihost::ParameterValue(request.property, control->scriptName);
    size_t fallback = 0;
    out << Printable(xsihost::ToUtf8(control->label)) << ":\n";
    for (size_t i = 0; i < control->items.size(); ++i) {
      const bool isDefault = control->items[i].value == current;
      if (isDefault)
        fallback = i;
      out << "  " << i + 1 << ") " << Printable(xsihost::ToUtf8(control->items[i].label))
          << (isDefault ? "  (default)" : "") << "\n";
    }
    while (true) {
      out << "Choose 1-" << control->items.size()
          << ", an item's text, Enter for the default, or cancel: " << std::flush;
      std::string line;
      if (!std::getline(in, line)) {
        out << "\n";
        return DialogAnswer::Cancel;
      }
      if (!line.empty() && line.back() == '\r')
        line.pop_back();
      if (NormalizedAnswer(line) == "cancel")
        return DialogAnswer::Cancel;
      if (NormalizedAnswer(line).empty())
        return Choose(request, *control, fallback);
      if (const auto item = FindItem(line, *control))
        return Choose(request, *control, *item);
      out << "No such choice: " << Excerpt(line) << "\n";
    }
  };
}

}  // namespace minihost
