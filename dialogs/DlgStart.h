// The start dialog: the program's title and the start picture, shown once before the word list loads.
#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

class TDlgStart : public QDialog {
    Q_OBJECT
public:
    explicit TDlgStart(QWidget* Owner = nullptr);

    QLabel* Label1;
    QLabel* Label2;
    QLabel* Image1;
    QLabel* Label3;
    QLabel* Label4;
    QPushButton* OKBtn;

    // OK, Enter, Esc and the close box all end the dialog with Accepted.
    void reject() override;

protected:
    void showEvent(QShowEvent* Event) override;
};

// Created by the entry function right after the main window: DlgStart = new TDlgStart(Form1);
extern TDlgStart* DlgStart;
