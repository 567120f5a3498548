#include "form1.h"
#include "system_time_of_day.h"

#include "puzzle/random_generator.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    window::SystemTimeOfDay time;
    puzzle::RandomGenerator random;
    window::Form1 form(time, random);
    form.load();
    form.show();
    return app.exec();
}
