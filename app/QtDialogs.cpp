#include "app/QtDialogs.h"

#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QFontDialog>
#include <QInputDialog>
#include <QMessageBox>

namespace {
QString title()
{
    return QApplication::applicationName();
}
} // namespace

void QtDialogs::showMessage(const QString &text)
{
    QMessageBox box(QMessageBox::NoIcon, title(), text, QMessageBox::Ok, m_parent);
    box.exec();
}

std::unique_ptr<QMessageBox> QtDialogs::detailedMessageBox(const QString &text, const QString &details, QWidget *parent)
{
    auto box = std::make_unique<QMessageBox>(QMessageBox::NoIcon, title(), text, QMessageBox::Ok, parent);
    box->setDetailedText(details);
    return box;
}

void QtDialogs::showDetailedMessage(const QString &text, const QString &details)
{
    detailedMessageBox(text, details, m_parent)->exec();
}

void QtDialogs::showError(const QString &text)
{
    QMessageBox box(QMessageBox::Critical, title(), text, QMessageBox::Ok, m_parent);
    box.exec();
}

bool QtDialogs::confirm(const QString &caption, const QString &text)
{
    QMessageBox box(QMessageBox::Warning, caption, text, QMessageBox::Yes | QMessageBox::No, m_parent);
    box.setDefaultButton(QMessageBox::Yes);
    box.setEscapeButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

bool QtDialogs::confirmLoss(const QString &caption, const QString &text)
{
    QMessageBox box(QMessageBox::Warning, caption, text, QMessageBox::Yes | QMessageBox::No, m_parent);
    box.setDefaultButton(QMessageBox::No);
    box.setEscapeButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

QString QtDialogs::inputBox(const QString &caption, const QString &prompt, const QString &preset)
{
    bool ok = false;
    const QString text = QInputDialog::getText(m_parent, caption, prompt, QLineEdit::Normal, preset, &ok);
    return ok ? text : preset;
}

QString QtDialogs::openFileName(const QString &caption, const QString &filter)
{
    return QFileDialog::getOpenFileName(m_parent, caption, QString(), filter);
}

QString QtDialogs::saveFileName(const QString &caption, const QString &filter, const QString &suggested)
{
    return QFileDialog::getSaveFileName(m_parent, caption, suggested, filter);
}

QString QtDialogs::selectFolder(const QString &caption, const QString &start)
{
    return QFileDialog::getExistingDirectory(m_parent, caption, start);
}

bool QtDialogs::chooseFont(QFont &font)
{
    bool ok = false;
    const QFont chosen = QFontDialog::getFont(&ok, font, m_parent);
    if (ok)
        font = chosen;
    return ok;
}

bool QtDialogs::chooseColor(QColor &color)
{
    const QColor chosen = QColorDialog::getColor(color, m_parent);
    if (!chosen.isValid())
        return false;
    color = chosen;
    return true;
}
