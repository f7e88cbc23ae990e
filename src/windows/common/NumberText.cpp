#include "windows/common/NumberText.h"

QString GroupThousands(int64_t number)
{
    const QString digits = QString::number(number < 0 ? -number : number);
    QString grouped;
    for (qsizetype i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            grouped += QLatin1Char(',');
        grouped += digits[i];
    }
    return number < 0 ? QLatin1Char('-') + grouped : grouped;
}
