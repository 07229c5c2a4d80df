#pragma once

#include <QString>

#include <optional>

class QWidget;

namespace skarnel {

// Where the views' one-line text questions come from. The default shows the "Input" dialog;
// tests install one that answers.
class TextQuestions {
public:
    virtual ~TextQuestions() = default;
    // The text taken with Ok; nothing when the user cancels.
    virtual std::optional<QString> Ask(QWidget* parent, const QString& prompt, int maxLength) = 0;

    static TextQuestions& Current();
    // Replaces the questions (nullptr restores the default); the caller keeps ownership.
    static void Install(TextQuestions* questions);
};

}  // namespace skarnel
