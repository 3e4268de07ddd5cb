#include "dialog.h"

#include <xsihost/text.h>

#include <istream>
#include <ostream>

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

}  // namespace

xsihost::DialogResponder AnswerWith(const std::string& choice,
                                    std::shared_ptr<DialogOutcome> outcome) {
  return [choice, outcome](const DialogRequest& request) {
    outcome->shown = true;
    if (choice == "cancel")
      return DialogAnswer::Cancel;
    if (const auto* control = FirstChoice(request)) {
      for (size_t i = 0; i < control->items.size(); ++i) {
        if (xsihost::ToUtf8(control->items[i].label) == choice)
          return Choose(request, *control, i);
      }
    }
    outcome->error = "the dialog has no choice '" + choice + "'";
    return DialogAnswer::Cancel;
  };
}

xsihost::DialogResponder AskOnTerminal(std::istream& in, std::ostream& out,
                                       std::shared_ptr<DialogOutcome> outcome) {
  return [&in, &out, outcome](const DialogRequest& request) {
    outcome->shown = true;
    const auto* control = FirstChoice(request);
    out << "== " << xsihost::ToUtf8(request.title) << " ==\n";
    if (control == nullptr) {
      out << "(nothing to choose) press Enter to confirm, or type cancel: " << std::flush;
      std::string line;
      if (!std::getline(in, line) || line == "cancel")
        return DialogAnswer::Cancel;
      return DialogAnswer::Confirm;
    }
    const XSI::CValue current = xsihost::ParameterValue(request.property, control->scriptName);
    size_t fallback = 0;
    out << xsihost::ToUtf8(control->label) << ":\n";
    for (size_t i = 0; i < control->items.size(); ++i) {
      const bool isDefault = control->items[i].value == current;
      if (isDefault)
        fallback = i;
      out << "  " << i + 1 << ") " << xsihost::ToUtf8(control->items[i].label)
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
      if (line == "cancel")
        return DialogAnswer::Cancel;
      if (line.empty())
        return Choose(request, *control, fallback);
      for (size_t i = 0; i < control->items.size(); ++i) {
        if (line == std::to_string(i + 1) || line == xsihost::ToUtf8(control->items[i].label)) {
          return Choose(request, *control, i);
        }
      }
      out << "No such choice: " << line << "\n";
    }
  };
}

}  // namespace minihost
