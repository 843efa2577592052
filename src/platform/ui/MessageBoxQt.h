#pragma once
// The program's message box over QMessageBox: Windows flags in, Windows
// button ids out. Installed as the win::MessageBox hook by TQtPlatform.

#include <QMessageBox>

#include <memory>
#include <string>

class QWidget;

// The box for a text, caption and flags (buttons, icon, default button),
// ready to run; not shown yet.
std::unique_ptr<QMessageBox> CreateMessageBox(const std::string& text, const std::string& caption,
                                              unsigned flags, QWidget* parent = nullptr);
// The Windows id of the button that closed a box made by CreateMessageBox.
int MessageBoxAnswer(const QMessageBox& box);
// Runs the box modally over the active window and returns the Windows id.
int QtMessageBox(const std::string& text, const std::string& caption, unsigned flags);
