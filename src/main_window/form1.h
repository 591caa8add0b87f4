#pragma once

#include <QWidget>

#include <memory>

namespace Ui {
class Form1;
}

class Form1 : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Form1)

public:
    explicit Form1(QWidget *parent = nullptr);
    ~Form1() override;

private:
    std::unique_ptr<Ui::Form1> ui;
};
