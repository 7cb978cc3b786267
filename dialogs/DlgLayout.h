// What the two dialogs share: their fixed frame, their centring, and labels built from layout data.
#pragma once

#include <QColor>
#include <QFont>
#include <QRect>
#include <QString>

class QDialog;
class QLabel;
class QPushButton;
class QWidget;

// Family "MS Sans Serif" or "Arial", character height in pixels. Substitutes are registered for both
// families, so that a system without them picks a metric-alike font.
QFont DlgFont(const QString& Family, int PixelHeight, bool Bold);

// A fixed dialog frame around a client area of Width x Height: no resizing, no minimise or maximise
// box, a close box.
void SetFixedDialogFrame(QDialog* Dialog, const QString& Caption, int Width, int Height);

// Moves Dialog's client area to the middle of its screen, the same place at every showing.
void CentreOnScreen(QDialog* Dialog);

// A label at Rect (client coordinates). Should its text be wider than Rect, the label grows around its
// centre (centred text) or to the right (left-aligned text), so that no text is ever cut off.
QLabel* NewLabel(QWidget* Parent, const QString& Name, const QString& Text, const QRect& Rect,
                 const QFont& Font, const QColor& Colour, Qt::Alignment Alignment);

// The OK button at Rect: default button, ends the dialog with Accepted, first in the tab order.
QPushButton* NewOkButton(QDialog* Dialog, const QRect& Rect);
