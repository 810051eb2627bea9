#include "qt/description_box.h"

#include <QValidator>

#include <algorithm>

namespace quivanto {
namespace {

// A line break would split the item line in the list file.
class NoLineBreaks final : public QValidator {
public:
    using QValidator::QValidator;

    State validate(QString& input, int&) const override {
        const bool breaks = input.contains(QLatin1Char('\r')) || input.contains(QLatin1Char('\n'));
        return breaks ? Invalid : Acceptable;
    }
};

} // namespace

DescriptionBox::DescriptionBox(int typingLimit, QWidget* parent)
    : QLineEdit(parent)
    , typingLimit_(typingLimit) {
    setMaxLength(typingLimit);
    setValidator(new NoLineBreaks(this));
    // The limit follows a long proposal down as the user shortens it.
    connect(this, &QLineEdit::textChanged, this, &DescriptionBox::fitLimitTo);
}

void DescriptionBox::setProposal(const QString& text) {
    fitLimitTo(text);
    setText(text);
}

void DescriptionBox::fitLimitTo(const QString& text) {
    setMaxLength(static_cast<int>(std::max<qsizetype>(typingLimit_, text.size())));
}

} // namespace quivanto
