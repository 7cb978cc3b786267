// What the two dialogs share: frame, centring, labels and the OK button.
#include "dialogs/DlgLayout.h"

#include "platform/MessageBox.h"

#include <QDialog>
#include <QFontMetrics>
#include <QLabel>
#include <QPalette>
#include <QPushButton>
#include <QScreen>
#include <QStringList>
#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

void RegisterSubstitutes() {
    static const bool Registered = [] {
        const QStringList SansSerif{u"Liberation Sans"_s, u"Arimo"_s, u"DejaVu Sans"_s};
        QFont::insertSubstitutions(u"MS Sans Serif"_s, SansSerif);
        QFont::insertSubstitutions(u"Arial"_s, SansSerif);
        return true;
    }();
    (void)Registered;
}

} // namespace

QFont DlgFont(const QString& Family, int PixelHeight, bool Bold) {
    RegisterSubstitutes();
    QFont Font(Family);
    Font.setPixelSize(PixelHeight);
    Font.setBold(Bold);
    return Font;
}

void SetFixedDialogFrame(QDialog* Dialog, const QString& Caption, int Width, int Height) {
    Dialog->setWindowTitle(Caption);
    SetDialogFrame(Dialog);
    Dialog->setFixedSize(Width, Height);
    Dialog->setSizeGripEnabled(false);
}

void CentreOnScreen(QDialog* Dialog) {
    const QScreen* Screen = Dialog->screen();
    if (Screen == nullptr)
        return;
    const QRect Available = Screen->availableGeometry();
    // The client area is centred, not the frame: the frame is unknown before the first showing and known
    // after it, so a dialog placed by its frame would stand lower from the second showing on.
    Dialog->setGeometry(QRect(Available.center() - Dialog->rect().center(), Dialog->size()));
}

QLabel* NewLabel(QWidget* Parent, const QString& Name, const QString& Text, const QRect& Rect,
                 const QFont& Font, const QColor& Colour, Qt::Alignment Alignment) {
    auto* Label = new QLabel(Text, Parent);
    Label->setObjectName(Name);
    Label->setFont(Font);
    Label->setAlignment(Alignment | Qt::AlignVCenter);
    if (Colour.isValid()) {
        QPalette Palette = Label->palette();
        Palette.setColor(QPalette::WindowText, Colour);
        Label->setPalette(Palette);
    }
    QRect Placed = Rect;
    const QFontMetrics Metrics(Font);
    const int TextWidth = Metrics.horizontalAdvance(Text) + 1;
    if (TextWidth > Placed.width()) {
        if (Alignment & Qt::AlignHCenter)
            Placed.moveLeft(Placed.left() - (TextWidth - Placed.width()) / 2);
        Placed.setWidth(TextWidth);
    }
    Placed.setHeight(std::max(Placed.height(), Metrics.height()));
    Label->setGeometry(Placed);
    return Label;
}

QPushButton* NewOkButton(QDialog* Dialog, const QRect& Rect) {
    auto* Button = new QPushButton(u"OK"_s, Dialog);
    Button->setObjectName(u"OKBtn"_s);
    Button->setGeometry(Rect);
    Button->setDefault(true);
    Button->setAutoDefault(true);
    QObject::connect(Button, &QPushButton::clicked, Dialog, &QDialog::accept);
    Button->setFocus();
    return Button;
}
