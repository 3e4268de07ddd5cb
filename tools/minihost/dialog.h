// How minihost answers the plug-in's modal dialog.
#pragma once

#include <xsihost/host.h>

#include <iosfwd>
#include <memory>
#include <string>

namespace minihost {

// What happened in the dialog, for minihost to report after the run.
struct DialogOutcome {
  bool shown = false;
  std::string error;  // set when the answer could not be given
};

// Answers with a fixed choice: "cancel", or the label of an item of an enumeration control,
// whose value then goes into that control's parameter before confirming; blanks around it and
// case do not count. A label that no item has cancels the dialog and sets `outcome->error`.
xsihost::DialogResponder AnswerWith(const std::string& choice,
                                    std::shared_ptr<DialogOutcome> outcome);

// Shows the dialog on `out` (title, control label, numbered items, the current value marked as
// the default) and reads the choice from `in`: an item number, an item label, an empty line for
// the default, or "cancel", blanks around it and case not counting. End of input cancels. Asks
// again after an answer it cannot use, showing what was typed with control characters escaped.
xsihost::DialogResponder AskOnTerminal(std::istream& in, std::ostream& out,
                                       std::shared_ptr<DialogOutcome> outcome);

}  // namespace minihost
