#include "FakeDialogs.h"

bool FakeDialogs::confirm(const QString &caption, const QString &text)
{
    confirmations << caption + QLatin1Char('|') + text;
    shown << QStringLiteral("confirm:") + text;
    return confirmAnswers.isEmpty() ? false : confirmAnswers.dequeue();
}

bool FakeDialogs::confirmLoss(const QString &caption, const QString &text)
{
    confirmations << caption + QLatin1Char('|') + text;
    shown << QStringLiteral("loss:") + text;
    return confirmAnswers.isEmpty() ? false : confirmAnswers.dequeue();
}

QString FakeDialogs::inputBox(const QString &caption, const QString &prompt, const QString &preset)
{
    inputs << caption + QLatin1Char('|') + prompt + QLatin1Char('|') + preset;
    shown << QStringLiteral("input:") + prompt;
    if (inputAnswers.isEmpty())
        return preset;
    const QString answer = inputAnswers.dequeue();
    return answer.isNull() ? preset : answer;
}

QString FakeDialogs::openFileName(const QString &, const QString &)
{
    shown << QStringLiteral("open-file");
    return fileAnswers.isEmpty() ? QString() : fileAnswers.dequeue();
}

QString FakeDialogs::saveFileName(const QString &, const QString &, const QString &)
{
    shown << QStringLiteral("save-file");
    return fileAnswers.isEmpty() ? QString() : fileAnswers.dequeue();
}

QString FakeDialogs::selectFolder(const QString &, const QString &)
{
    shown << QStringLiteral("folder");
    return folderAnswers.isEmpty() ? QString() : folderAnswers.dequeue();
}

bool FakeDialogs::chooseFont(QFont &font)
{
    shown << QStringLiteral("font");
    if (fontAnswers.isEmpty())
        return false;
    font = fontAnswers.dequeue();
    return true;
}

bool FakeDialogs::chooseColor(QColor &color)
{
    shown << QStringLiteral("color");
    if (colorAnswers.isEmpty())
        return false;
    color = colorAnswers.dequeue();
    return true;
}
