// SPDX-License-Identifier: GPL-2.0-or-later
// The display selection of the Synchronize Audio tab: From, To, Apply and the Recent list.
#include <QLabel>
#include <QLineEdit>

#include "app/form1.h"
#include "editing/display_selection.h"
#include "platform/qt/combo_box.h"

namespace brelvo::app {

namespace {
constexpr int kEnter = 13;
}  // namespace

void Form1::Command16_Click() {
    fradj_Click();
}

void Form1::Text2_KeyPress(int& keyAscii) {
    if (keyAscii == kEnter) fradj_Click();
}

void Form1::Text3_KeyPress(int& keyAscii) {
    if (keyAscii == kEnter) fradj_Click();
}

void Form1::Combo3_Click() {
    auto* combo3 = Control<platform::qt::ComboBox>(QStringLiteral("Combo3"));
    if (combo3->SelectedIndex() < 0) return;
    const auto ends = editing::RangeEntryEnds(combo3->Text().toStdString());
    Control<QLineEdit>(QStringLiteral("Text2"))->setText(QString::fromStdString(ends.from));
    Control<QLineEdit>(QStringLiteral("Text3"))->setText(QString::fromStdString(ends.to));
    fradj_Click();
}

void Form1::fradj_Click() {
    auto* text2 = Control<QLineEdit>(QStringLiteral("Text2"));
    auto* text3 = Control<QLineEdit>(QStringLiteral("Text3"));
    const auto outcome = editing::ApplySelection(
        text2->text().toStdString(), text3->text().toStdString(), document_.record.totalFrames);
    if (!outcome.fromTaken) return;
    document_.rangeFrom = outcome.rangeFrom;
    if (!outcome.complete) return;
    document_.rangeTo = outcome.rangeTo;
    if (outcome.correctedToText) text3->setText(QString::fromStdString(*outcome.correctedToText));
    Control<QLabel>(QStringLiteral("Label11"))->setText(QString::fromStdString(outcome.label));

    // A new entry is selected, which applies it once more through Combo3_Click.
    AddRangeEntry(*Control<platform::qt::ComboBox>(QStringLiteral("Combo3")),
                  QString::fromStdString(outcome.entry));

    // The nested apply may have moved the range: the preview takes what holds now.
    if (form2_) preview::RestartShownPreview(*form2_, *protocol_, PreviewOf(document_.aviPath));
}

}  // namespace brelvo::app
