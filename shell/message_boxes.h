#pragma once

#include "base/reporter.h"

#include <QMessageBox>
#include <QString>

#include <memory>

class QWidget;

namespace skarnel {

// Where the application's modal message boxes and Yes/No questions come from. The default
// shows QMessageBox; tests install one that records and answers.
class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    virtual void Show(QWidget* parent, const QString& text, const QString& title, MessageIcon icon) = 0;
    virtual bool Ask(QWidget* parent, const QString& text, const QString& title, MessageIcon icon) = 0;
    // A box whose text is followed by lines that explain it; boxes that only record take the text.
    virtual void ShowExplained(QWidget* parent, const QString& text, const QString& explanation, const QString& title,
                               MessageIcon icon)
    {
        (void)explanation;
        Show(parent, text, title, icon);
    }

    static MessageBoxes& Current();
    // Replaces the boxes (nullptr restores the default); the caller keeps ownership.
    static void Install(MessageBoxes* boxes);
};

// The box the default shows: the icon the caller asked for, at least kMinimumMessageBoxWidth
// wide (or its text's width), and centred over the view that asks rather than the screen.
inline constexpr int kMinimumMessageBoxWidth = 360;
std::unique_ptr<QMessageBox> MakeMessageBox(QWidget* parent, const QString& text, const QString& explanation,
                                            const QString& title, MessageIcon icon,
                                            QMessageBox::StandardButtons buttons);

// Shorthands for the current boxes.
void ShowMessageBox(QWidget* parent, const QString& text, const QString& title = kApplicationTitle,
                    MessageIcon icon = MessageIcon::None);
void ShowExplainedBox(QWidget* parent, const QString& text, const QString& explanation, const QString& title,
                      MessageIcon icon = MessageIcon::None);
bool AskYesNoBox(QWidget* parent, const QString& text, const QString& title = kApplicationTitle,
                 MessageIcon icon = MessageIcon::Question);

}  // namespace skarnel
