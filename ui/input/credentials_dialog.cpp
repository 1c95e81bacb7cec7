#include "credentials_dialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "kept_passwords.h"

namespace vitayear::ui {
namespace {

CredentialsAnswerer answerer = nullptr;

QString Question(const CredentialsQuestion& q) {
  if (q.printer.isEmpty())
    return (q.again ? QStringLiteral("The print server %1 did not accept that user name and password. Type them "
                                     "again to print the page.")
                    : QStringLiteral("The print server %1 asks for a user name and password to print the page."))
        .arg(q.server);
  return (q.again ? QStringLiteral("The printer \"%1\" did not accept that user name and password. Type them again "
                                   "to print the page.")
                  : QStringLiteral("The printer \"%1\" asks for a user name and password to print the page."))
      .arg(q.printer);
}

// `kept`: a password is kept for the printer, so the box starts ticked.
std::optional<Credentials> Dialog(QWidget* parent, const CredentialsQuestion& question, bool canKeep, bool kept) {
  QDialog dialog(parent);
  dialog.setWindowTitle(QStringLiteral("Vitayear"));
  auto* text = new QLabel(Question(question));
  text->setTextFormat(Qt::PlainText);
  text->setWordWrap(true);
  auto* name = new QLineEdit(question.user);
  auto* password = new QLineEdit;
  password->setEchoMode(QLineEdit::Password);
  auto* form = new QFormLayout;
  form->addRow(QStringLiteral("&User name:"), name);
  form->addRow(QStringLiteral("&Password:"), password);
  auto* keep = new QCheckBox(QStringLiteral("&Remember the password"));
  keep->setChecked(kept);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  auto* layout = new QVBoxLayout(&dialog);
  layout->addWidget(text);
  layout->addLayout(form);
  if (canKeep) layout->addWidget(keep);
  layout->addWidget(buttons);
  (name->text().isEmpty() ? name : password)->setFocus(Qt::OtherFocusReason);
  // The busy pointer of the print is not this dialog's.
  QApplication::setOverrideCursor(QCursor(Qt::ArrowCursor));
  const int result = dialog.exec();
  QApplication::restoreOverrideCursor();
  if (result != QDialog::Accepted) return std::nullopt;
  return Credentials{name->text(), password->text(), canKeep && keep->isChecked()};
}

// The test's answerer where one is set, else the dialog.
std::optional<Credentials> Answer(QWidget* parent, const CredentialsQuestion& question, bool canKeep, bool kept) {
  return answerer ? answerer(question, canKeep) : Dialog(parent, question, canKeep, kept);
}

// The user name last typed for each printer, while the program runs.
QHash<QString, QString>& LastUsers() {
  static QHash<QString, QString> users;
  return users;
}

}  // namespace

void SetCredentialsAnswerer(CredentialsAnswerer replacement) { answerer = replacement; }

std::optional<Credentials> AskForCredentials(QWidget* parent, const CredentialsQuestion& question) {
  if (question.printer.isEmpty()) return Answer(parent, question, false, false);
  const QString entry = KeyringEntry(question.printer, question.server);
  const bool keyring = KeyringAvailable();
  // A kept password is tried first; refused, it is asked for again.
  const std::optional<Credentials> kept = keyring ? KeptCredentials(entry) : std::nullopt;
  if (kept && !question.again) return kept;
  CredentialsQuestion asked = question;
  asked.user = LastUsers().value(entry, kept ? kept->user : question.user);
  std::optional<Credentials> given = Answer(parent, asked, keyring, kept.has_value());
  if (!given) return given;
  LastUsers().insert(entry, given->user);
  if (keyring && given->remember)
    KeepCredentials(entry, *given);
  else if (keyring)
    ForgetCredentials(entry);
  return given;
}

CredentialsPrompt CredentialsPromptOver(QWidget* window) {
  return [window](const CredentialsQuestion& question) { return AskForCredentials(window, question); };
}

}  // namespace vitayear::ui
