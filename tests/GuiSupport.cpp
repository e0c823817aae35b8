#include "GuiSupport.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCompleter>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <fstream>
#include <unistd.h>

#include "framework/Application.h"
#include "framework/QtBridge.h"

namespace lumetra::testing {

ModalAnswers::ModalAnswers() : m_timer(new QTimer) {
  QObject::connect(m_timer, &QTimer::timeout, m_timer, [this] { Poll(); });
  m_timer->start(10);
}

ModalAnswers::~ModalAnswers() { delete m_timer; }

ModalAnswers& ModalAnswers::DismissMessage() {
  m_steps.push_back([this](QWidget* modal) {
    auto* box = qobject_cast<QMessageBox*>(modal);
    if (!box) return false;
    m_messages.push_back(box->text().toStdString());
    QTest::keyClick(box, Qt::Key_Return);
    return true;
  });
  return *this;
}

ModalAnswers& ModalAnswers::ChooseFile(const std::string& path) {
  m_steps.push_back([path](QWidget* modal) {
    auto* dialog = qobject_cast<QFileDialog*>(modal);
    if (!dialog) return false;
    auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    if (!edit) return false;
    // Offscreen, the dialog is not made active by itself; an inactive one
    // rewrites the field from its list.
    QApplication::setActiveWindow(dialog);
    edit->setFocus();
    edit->clear();
    QTest::keyClicks(edit, QString::fromStdString(path));
    if (edit->completer() && edit->completer()->popup()) edit->completer()->popup()->hide();
    QTest::keyClick(edit, Qt::Key_Return);
    return true;
  });
  return *this;
}

ModalAnswers& ModalAnswers::CancelFile() {
  m_steps.push_back([](QWidget* modal) {
    auto* dialog = qobject_cast<QFileDialog*>(modal);
    if (!dialog) return false;
    QApplication::setActiveWindow(dialog);
    QTest::keyClick(dialog, Qt::Key_Escape);
    return true;
  });
  return *this;
}

void ModalAnswers::Poll() {
  QWidget* modal = QApplication::activeModalWidget();
  if (!modal || !modal->isVisible()) {
    m_waited = 0;
    return;
  }
  if (modal != m_lastModal) {
    m_lastModal = modal;
    m_waited = 0;
  }
  if (!m_steps.empty() && m_steps.front()(modal)) {
    m_steps.erase(m_steps.begin());
    ++m_answered;
    m_lastModal = nullptr;
    return;
  }
  if (++m_waited > 500) {
    ++m_unexpected;
    if (auto* box = qobject_cast<QMessageBox*>(modal)) m_messages.push_back(box->text().toStdString());
    if (auto* dialog = qobject_cast<QDialog*>(modal)) dialog->reject();
    else modal->close();
    m_waited = 0;
  }
}

void ResetApplication() {
  QApplication::processEvents();
  fw::DestroyAllWindows();
  QApplication::processEvents();
  fw::ResetQuitRequest();
}

std::string WriteTempFile(const std::string& name, const std::string& text) {
  namespace fs = std::filesystem;
  fs::path folder = fs::temp_directory_path() / ("lumetra-gui-test-" + std::to_string(::getpid()));
  fs::create_directories(folder);
  fs::path path = folder / name;
  std::ofstream(path, std::ios::binary) << text;
  return path.string();
}

std::string WorkedExampleFile() {
  return "vocab1\n"
         "designs1\t0.016\n"
         "similar1\t0.005\t0.002\n"
         "matrix1\t0.023\t0.008\t-0.006\n"
         "veranal2\t-0.024\t-0.037\t0.03\t-0.049\n"
         "vocab2\t0.004\t-0.009\t-0.019\t-0.016\t0.019\n"
         "matrix2\t-0.018\t-0.05\t-0.012\t0.032\t0.076\t0.007\n"
         "designs2\t-0.014\t0.06\t0.011\t-0.027\t-0.01\t0.018\t-0.017\n";
}

std::string WorkedExampleReportBody() {
  const std::string rule(72, '=');
  return "Coefficients\n"
         " vocab1     \n"
         " designs1    +0.016 \n"
         " similar1    +0.005  +0.002 \n"
         " matrix1     +0.023  +0.008  -0.006 \n"
         " veranal2    -0.024  -0.037  +0.030  -0.049 \n"
         " vocab2      +0.004  -0.009  -0.019  -0.016  +0.019 \n"
         " matrix2     -0.018  -0.050  -0.012  +0.032  +0.076  +0.007 \n"
         " designs2    -0.014  +0.060  +0.011  -0.027  -0.010  +0.018  -0.017 \n" +
         rule + "\n" +
         "Coefficient Plot\n"
         "-.30+ |\n"
         "-.10  |\n"
         "      |\n"
         "      |\n"
         "      |\u2022\u2022\n"
         "      |\u2022\u2022\u2022\n"
         "0\u00B1.20 |\u2022\u2022\u2022\u2022\u2022\u2022\u2022\u2022\u2022\u2022\u2022\u2022\u2022\u2022\u2022\u2022\u2022\u2022\n"
         "      |\u2022\u2022\u2022\n"
         "      |\u2022\n"
         "      |\u2022\n"
         "      |\n"
         ".10   |\n"
         ".30+  |\n"
         "\n"
         "RMSR = 0.028\n"
         ">.05 = 2 (7.14%)\n"
         ">.10 = 0 (0.0%)\n"
         ">.30 = 0 (0.0%)\n"
         "Largest = +0.076\n" +
         rule + "\n" + "Lumetra 1.1.0 - residual analysis of factor solutions\n";
}

}  // namespace lumetra::testing
