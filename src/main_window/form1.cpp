#include "form1.h"

#include "ui_form1.h"

Form1::Form1(QWidget *parent)
    : QWidget(parent)
    , ui(std::make_unique<Ui::Form1>())
{
    ui->setupUi(this);
}

Form1::~Form1() = default;
