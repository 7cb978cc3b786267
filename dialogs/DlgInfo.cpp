// The program information dialog.
#include "dialogs/DlgInfo.h"

#include "dialogs/DlgLayout.h"
#include "dialogs/DlgPictures.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>

using namespace Qt::StringLiterals;

TDlgInfo* DlgInfo = nullptr;

TDlgInfo::TDlgInfo(QWidget* Owner) : QDialog(Owner) {
    setObjectName(u"DlgInfo"_s);
    SetFixedDialogFrame(this, u"Programminformation"_s, 368, 261);

    // The button comes first so that it is first in the tab order and has the focus.
    OKBtn = NewOkButton(this, QRect(147, 228, 75, 25));

    Bevel1 = new QFrame(this);
    Bevel1->setObjectName(u"Bevel1"_s);
    Bevel1->setFrameStyle(QFrame::Box | QFrame::Sunken);
    Bevel1->setGeometry(8, 8, 353, 209);

    const QPixmap Logo = TransparentPixmap(LogoPicture());
    Image1 = new QLabel(this);
    Image1->setObjectName(u"Image1"_s);
    Image1->setPixmap(Logo);
    Image1->setGeometry(QRect(QPoint(72, 16), Logo.size()));

    const QFont Title = DlgFont(u"MS Sans Serif"_s, 16, true);
    const QFont Bold = DlgFont(u"MS Sans Serif"_s, 13, true);
    const QFont Regular = DlgFont(u"MS Sans Serif"_s, 13, false);
    const QColor Text; // the dialog's own text colour
    Label1 =
        NewLabel(this, u"Label1"_s, u"Kavrinto"_s, QRect(16, 64, 335, 20), Title, Text, Qt::AlignHCenter);
    Label2 =
        NewLabel(this, u"Label2"_s, u"Version 2.0"_s, QRect(145, 88, 78, 16), Bold, Text, Qt::AlignHCenter);
    Label3 = NewLabel(this, u"Label3"_s, u"Das Kavrinto-Team"_s, QRect(92, 112, 184, 16), Regular, Text,
                      Qt::AlignHCenter);
    Label4 = NewLabel(this, u"Label4"_s, u"Kavrinto-Projekt"_s, QRect(121, 144, 125, 20), Title, Text,
                      Qt::AlignHCenter);
    // Where to turn: how to report a program fault stands on the help's start page, which F1 opens; the
    // word list comes from Debian's hunspell-ru package.
    Label5 = NewLabel(this, u"Label5"_s, u"Fehler:"_s, QRect(32, 176, 53, 16), Regular, Text, Qt::AlignLeft);
    Label6 = NewLabel(this, u"Label6"_s, u"Daten:"_s, QRect(32, 192, 49, 16), Regular, Text, Qt::AlignLeft);
    Label7 = NewLabel(this, u"Label7"_s, u"siehe Hilfe (F1)"_s, QRect(88, 176, 107, 16), Regular, Text,
                      Qt::AlignLeft);
    Label8 =
        NewLabel(this, u"Label8"_s, u"hunspell-ru"_s, QRect(88, 192, 107, 16), Regular, Text, Qt::AlignLeft);
}

void TDlgInfo::reject() {
    // The close box ends the dialog the same way as OK.
    accept();
}

void TDlgInfo::showEvent(QShowEvent* Event) {
    CentreOnScreen(this);
    QDialog::showEvent(Event);
    OKBtn->setFocus();
}
