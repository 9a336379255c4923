#pragma once

#include <QString>

namespace vb {

// What a program's message catalogue hands the dialog: a caller sets the id, the catalogue
// fills in the rest.
struct MessageText {
    QString MessageId;
    QString MessageHead;
    QString MessageBody;
    QString MessageButtons;
    QString MessageInput;
};

} // namespace vb
