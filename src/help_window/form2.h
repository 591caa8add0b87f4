#pragma once

#include <QWidget>

#include <memory>

namespace Ui {
class Form2;
}

class Form2 : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Form2)

public:
    explicit Form2(QWidget *parent = nullptr);
    ~Form2() override;

private:
    std::unique_ptr<Ui::Form2> ui;
};
