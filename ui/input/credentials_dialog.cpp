#include "credentials_dialog.h"

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace vitayear::ui {
namespace {

CredentialsAnswerer answerer = nullptr;

}  // namespace

void SetCredentialsAnswerer(CredentialsAnswerer replacement) { answerer = replacement; }

std::optional<Credentials> AskForCredentials(QWidget* parent, const QString& server, const QString& user, bool again) {
  if (answerer) return answerer(server, user, again);
  QDialog dialog(parent);
  dialog.setWindowTitle(QStringLiteral("Vitayear"));
  auto* text = new QLabel(again ? QStringLiteral("The print server %1 did not accept that user name and password. "
                                                 "Type them again to print the page.")
                                      .arg(server)
                                : QStringLiteral("The print server %1 asks for a user name and password to print "
                                                 "the page.")
                                      .arg(server));
  text->setTextFormat(Qt::PlainText);
  text->setWordWrap(true);
  auto* name = new QLineEdit(user);
  auto* password = new QLineEdit;
  password->setEchoMode(QLineEdit::Password);
  auto* form = new QFormLayout;
  form->addRow(QStringLiteral("&User name:"), name);
  form->addRow(QStringLiteral("&Password:"), password);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  auto* layout = new QVBoxLayout(&dialog);
  layout->addWidget(text);
  layout->addLayout(form);
  layout->addWidget(buttons);
  (name->text().isEmpty() ? name : password)->setFocus(Qt::OtherFocusReason);
  // The busy pointer of the print is not this dialog's.
  QApplication::setOverrideCursor(QCursor(Qt::ArrowCursor));
  const int result = dialog.exec();
  QApplication::restoreOverrideCursor();
  if (result != QDialog::Accepted) return std::nullopt;
  return Credentials{name->text(), password->text()};
}

CredentialsPrompt CredentialsPromptOver(QWidget* window) {
  return [window](const QString& server, const QString& user, bool again) {
    return AskForCredentials(window, server, user, again);
  };
}

}  // namespace vitayear::ui
