// SPDX-License-Identifier: GPL-2.0-or-later
// The Author Details tab: the INFO items and the display name rewritten in place, each padded
// or cut to exactly its own size.
#include <QString>
#include <map>
#include <string>

#include "app/edit_report.h"
#include "app/form1.h"
#include "avi/author_item_table.h"
#include "info/author_items.h"
#include "platform/qt/control_text.h"

namespace brelvo::app {

namespace {

QString Utf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The boxes show every line break as "\n", whatever the file held. An item keeps the form
// of line break it was stored with; one without any gets CR LF, the form of its code page.
QString StoredLineBreak(const avi::HeaderRecord& record, std::string_view id) {
    std::string_view stored;
    for (const auto& item : record.textItems) {
        if (item.id == id) stored = item.bytes;  // the box shows the last item of an id
    }
    const auto first = stored.find_first_of("\r\n");
    if (first == std::string_view::npos || stored.substr(first, 2) == "\r\n") {
        return QStringLiteral("\r\n");
    }
    return stored[first] == '\n' ? QStringLiteral("\n") : QStringLiteral("\r");
}

std::map<std::string, std::string> BoxTexts(const Form1& form) {
    std::map<std::string, std::string> texts;
    for (const auto& item : avi::kAuthorItems) {
        QString text = platform::qt::ControlText(form.Control(Utf8(item.box)));
        text.replace(u'\n', StoredLineBreak(form.document().record, item.id));
        texts[std::string(item.id)] = text.toStdString();
    }
    return texts;
}

const avi::AuthorItemEntry& BoxOf(std::string_view id) {
    if (const auto* item = avi::FindAuthorItem(id)) return *item;
    throw std::logic_error("no author box for " + std::string(id));
}

// A line break counts as one character in the box but may take two bytes in the file, and a
// kept display-name type field takes four: the user must learn that the text was cut.
void ReportCutTexts(Form1& form, const info::AuthorItemsChange& change) {
    for (const auto& item : change.items) {
        if (!item.cut) continue;
        form.dialogs().MessageBox(
            QStringLiteral("The %1 text was cut to the %2 bytes its item holds in the file.")
                .arg(Utf8(BoxOf(item.id).caption))
                .arg(item.newBytes.size() - item.typeFieldBytes));
    }
}

}  // namespace

void Form1::Command2_Click() {
    // Apply: every author box into its items, padded with blanks and one NUL.
    document_.altered = true;
    ReleasePreview();
    info::AuthorItemsChange change;
    const bool written = RunMovieEdit(dialogs_, document_.openPath, [&] {
        avi::HeaderEdit edit(document_.record);
        change = info::AddAuthorItems(edit, BoxTexts(*this));
        document_.record = avi::ApplyEdit(NativePath(document_.openPath), std::move(edit)).record;
    });
    // On failure the boxes keep what the user typed.
    if (written) {
        for (const auto& [id, text] : change.BoxTexts()) {
            platform::qt::SetControlText(Control(Utf8(BoxOf(id).box)),
                                         QString::fromStdString(text));
        }
        ReportCutTexts(*this, change);
    }
    RestorePreview();
    HScroll1_Change();
}

}  // namespace brelvo::app
