#include "print_page.h"

#include <QCoreApplication>
#include <QCursor>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLibrary>
#include <QScopeGuard>

namespace vitayear::ui {
namespace {

// The module as installed, or as built beside the program when the program
// runs from its build tree: always a whole path, so that nothing is looked
// for in the current directory or the loader's search path.
QString ModulePath() {
#ifdef VITAYEAR_BUILD_TREE
  const QString tree = QDir(QStringLiteral(VITAYEAR_BUILD_TREE)).canonicalPath();
  const QString program = QFileInfo(QCoreApplication::applicationFilePath()).canonicalFilePath();
  if (!tree.isEmpty() && program.startsWith(tree + u'/')) return QStringLiteral(VITAYEAR_PRINT_MODULE_BUILT);
#endif
  return QStringLiteral(VITAYEAR_PRINT_MODULE_INSTALLED);
}

// Loaded at the first Print and kept; null when it or libcups is missing.
PrintEntry PrintModule() {
  static QLibrary module(ModulePath());
  static const auto entry = reinterpret_cast<PrintEntry>(module.load() ? module.resolve(kPrintEntry) : nullptr);
  return entry;
}

}  // namespace

PrintResult PrintOnDefaultPrinter(const PrintoutTexts& texts, CredentialsPrompt prompt, int boundMs,
                                  std::shared_ptr<JobWatch> watch) {
  const PrintEntry print = PrintModule();
  if (!print) return Problem(QStringLiteral("The printing library (libcups) could not be loaded."));
  QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
  const auto busy = qScopeGuard([] { QGuiApplication::restoreOverrideCursor(); });
  PrintResult result;
  print({&texts, boundMs, std::move(prompt), std::move(watch)}, result);
  return result;
}

}  // namespace vitayear::ui
