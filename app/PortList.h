#pragma once
#include <string>

// The port dialog lists COM1 to COM99; item n - 1 is port n.
constexpr int PortListCount = 99;

// The text of the list item for port `number`.
std::string PortListText(int number);
// The list index selected when the dialog opens: the current port's, or the
// first (COM1) when the current number is not in the list.
int PortListSelection(int currentPort);
