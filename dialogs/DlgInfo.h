// The program information dialog: title, version, authors and where to turn, shown from the Hilfe menu.
#pragma once

#include <QDialog>

class QFrame;
class QLabel;
class QPushButton;

class TDlgInfo : public QDialog {
    Q_OBJECT
public:
    explicit TDlgInfo(QWidget* Owner = nullptr);

    QFrame* Bevel1;
    QLabel* Image1;
    QLabel* Label1;
    QLabel* Label2;
    QLabel* Label3;
    QLabel* Label4;
    QLabel* Label5;
    QLabel* Label6;
    QLabel* Label7;
    QLabel* Label8;
    QPushButton* OKBtn;

    // OK, Enter, Esc and the close box all end the dialog with Accepted.
    void reject() override;

protected:
    void showEvent(QShowEvent* Event) override;
};

// Created by the entry function right after DlgStart: DlgInfo = new TDlgInfo(Form1);
extern TDlgInfo* DlgInfo;
