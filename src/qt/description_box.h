#pragma once

#include <QLineEdit>

namespace quivanto {

// A one-line description box. Typing stops at a number of characters, while a proposal
// set by the program may be longer and is kept whole; typing into such a proposal can
// only shorten it.
class DescriptionBox final : public QLineEdit {
    Q_OBJECT
public:
    DescriptionBox(int typingLimit, QWidget* parent);

    // Sets the text as the program proposes it, longer than the typing limit if need be.
    void setProposal(const QString& text);

    int typingLimit() const { return typingLimit_; }

private:
    void fitLimitTo(const QString& text);

    int typingLimit_;
};

} // namespace quivanto
