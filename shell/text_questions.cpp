#include "shell/text_questions.h"

#include "shell/dialog_input.h"

namespace skarnel {
namespace {

class InputDialogQuestions final : public TextQuestions {
public:
    std::optional<QString> Ask(QWidget* parent, const QString& prompt, int maxLength) override
    {
        CDialog_Input dialog(parent);
        dialog.SetPrompt(prompt);
        dialog.SetMaxLength(maxLength);
        if (dialog.exec() != QDialog::Accepted)
            return std::nullopt;
        return dialog.Result();
    }
};

InputDialogQuestions g_default;
TextQuestions* g_current = &g_default;

}  // namespace

TextQuestions& TextQuestions::Current()
{
    return *g_current;
}

void TextQuestions::Install(TextQuestions* questions)
{
    g_current = questions ? questions : &g_default;
}

}  // namespace skarnel
