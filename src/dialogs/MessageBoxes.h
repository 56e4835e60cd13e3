#pragma once
// Every message box the service shows. A carriage return in a text starts a new line.
#include <string>

#include "dialogs/MessageBoxPort.h"

namespace korv {

struct MessageBoxEntry {
  const char* text;
  const char* caption;
  unsigned style;
  bool beepFirst;  // MessageBeep with the stop value before the box
};

inline constexpr MessageBoxEntry kFatalErrorBox{"Korvelane printer error\r", "Error",
                                                mb::kOk | mb::kIconStop, true};
inline constexpr MessageBoxEntry kTestPageBox{"Click on OK to send test page to the printer",
                                              "Confirm", mb::kOkCancel | mb::kIconQuestion, false};
inline constexpr MessageBoxEntry kRemoveBox{
    "Are you sure?  Korvelane will not print\rif the printer is removed", "Confirm",
    mb::kOkCancel | mb::kIconQuestion, true};

// The application's title, which heads its standard error box.
inline constexpr char kApplicationTitle[] = "Printer for Korvelane";

// The fatal start-up error: "Korvelane printer error", a new line, then `detail`.
void ShowFatalErrorBox(MessageBoxPort& boxes, const std::string& detail);

// "Print &Test Page": true when the user pressed OK.
bool ConfirmTestPage(MessageBoxPort& boxes);

// "&Remove": true when the user pressed OK.
bool ConfirmRemove(MessageBoxPort& boxes);

// The text of the application's standard error box: the message, with "." appended
// when its last character sorts after ".".
std::string StandardErrorText(const std::string& message);

// An error no handler caught on the window thread; the service carries on after it.
void ShowStandardError(MessageBoxPort& boxes, const std::string& message);

}  // namespace korv
