// The start dialog.
#include "dialogs/DlgStart.h"

#include "dialogs/DlgLayout.h"
#include "dialogs/DlgPictures.h"

#include <QLabel>
#include <QPushButton>

using namespace Qt::StringLiterals;

TDlgStart* DlgStart = nullptr;

namespace {

const QColor Red(255, 0, 0);
const QColor Blue(0, 0, 255);
const QColor Green(0, 128, 0);

} // namespace

TDlgStart::TDlgStart(QWidget* Owner) : QDialog(Owner) {
    setObjectName(u"DlgStart"_s);
    SetFixedDialogFrame(this, u"Kavrinto"_s, 485, 378);

    // The button comes first so that it is first in the tab order and has the focus.
    OKBtn = NewOkButton(this, QRect(205, 340, 75, 25));
    Label1 = NewLabel(this, u"Label1"_s, u"Kavrinto"_s, QRect(0, 8, 480, 29), DlgFont(u"Arial"_s, 24, true),
                      Red, Qt::AlignHCenter);
    Label2 = NewLabel(this, u"Label2"_s, u"Erweiterte Version"_s, QRect(144, 48, 171, 22),
                      DlgFont(u"Arial"_s, 19, true), Blue, Qt::AlignHCenter);
    Image1 = new QLabel(this);
    Image1->setObjectName(u"Image1"_s);
    Image1->setGeometry(8, 72, 469, 202);
    Image1->setPixmap(TransparentPixmap(StartPicture()));
    Label3 = NewLabel(this, u"Label3"_s, u"Das Kavrinto-Team"_s, QRect(114, 272, 257, 22),
                      DlgFont(u"Arial"_s, 19, false), Green, Qt::AlignHCenter);
    Label4 = NewLabel(this, u"Label4"_s, u"2010"_s, QRect(219, 304, 48, 24), DlgFont(u"Arial"_s, 21, true),
                      Green, Qt::AlignHCenter);
}

void TDlgStart::reject() {
    // The close box ends the dialog the same way as OK.
    accept();
}

void TDlgStart::showEvent(QShowEvent* Event) {
    CentreOnScreen(this);
    QDialog::showEvent(Event);
    OKBtn->setFocus();
}
