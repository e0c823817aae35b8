#include "framework/Controls.h"

#include <QApplication>
#include <QFontDatabase>
#include <QFontInfo>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTimer>
#include <algorithm>
#include <stdexcept>

#include "framework/Application.h"
#include "framework/Dialogs.h"
#include "framework/QtBridge.h"
#include "framework/Window.h"

namespace fw {

namespace {

QColor ToQColor(Color c) { return QColor(c.Red(), c.Green(), c.Blue(), c.Alpha()); }

Qt::Alignment AlignmentOf(std::int64_t code) {
  switch (code) {
    case 2: return Qt::AlignHCenter | Qt::AlignVCenter;
    case 3: return Qt::AlignRight | Qt::AlignVCenter;
    default: return Qt::AlignLeft | Qt::AlignVCenter;
  }
}

void SetPaletteColor(QWidget* widget, QPalette::ColorRole role, Color color) {
  QPalette palette = widget->palette();
  palette.setColor(role, ToQColor(color));
  widget->setPalette(palette);
}

// Settings that every control takes but that change nothing here: focus
// rings, locks of fixed-size windows, data binding, other platforms' looks.
bool IsInertSetting(std::string_view name) {
  static const std::string_view inert[] = {
      "LockLeft", "LockTop", "LockRight", "LockBottom", "TabIndex", "TabPanelIndex", "InitialParent",
      "AllowAutoDeactivate", "Transparent", "AllowFocusRing", "FontUnit", "DataSource", "DataField",
      "AllowSpellChecking", "MacButtonStyle", "Default", "Cancel", "DoubleBuffer", "AllowFocus",
      "HideSelection", "LineHeight", "LineSpacing", "UnicodeMode", "Format", "AllowStyledText"};
  for (std::string_view n : inert)
    if (n == name) return true;
  return false;
}

// Builds the validator of a ValidationMask: "#" (and "0", "9") stand for one
// digit each, every digit optional, so that a mask bounds what is typed or
// pasted without forcing it to be complete.
QValidator* MaskValidator(const std::string& mask, QObject* parent) {
  if (mask.empty()) return nullptr;
  for (char c : mask)
    if (c != '#' && c != '0' && c != '9') throw std::logic_error("unsupported ValidationMask " + mask);
  QString pattern = QStringLiteral("[0-9]{0,%1}").arg(mask.size());
  return new QRegularExpressionValidator(QRegularExpression(pattern), parent);
}

}  // namespace

std::optional<std::string> KeyText(const QKeyEvent& event) {
  switch (event.key()) {
    case Qt::Key_Shift: case Qt::Key_Control: case Qt::Key_Meta: case Qt::Key_Alt: case Qt::Key_AltGr:
    case Qt::Key_CapsLock: case Qt::Key_NumLock: case Qt::Key_ScrollLock: case Qt::Key_Super_L:
    case Qt::Key_Super_R: case Qt::Key_Hyper_L: case Qt::Key_Hyper_R:
      return std::nullopt;
    default: break;
  }
  if (event.modifiers() & (Qt::ControlModifier | Qt::MetaModifier | Qt::AltModifier)) return std::nullopt;
  switch (event.key()) {
    case Qt::Key_Backspace: return std::string("\x08");
    case Qt::Key_Tab: case Qt::Key_Backtab: return std::string("\t");
    case Qt::Key_Return: case Qt::Key_Enter: return std::string("\r");
    case Qt::Key_Escape: return std::string("\x1b");
    case Qt::Key_Left: return std::string("\x1c");
    case Qt::Key_Right: return std::string("\x1d");
    case Qt::Key_Up: return std::string("\x1e");
    case Qt::Key_Down: return std::string("\x1f");
    case Qt::Key_Delete: return std::string("\x7f");
    case Qt::Key_Home: return std::string("\x01");
    case Qt::Key_End: return std::string("\x04");
    case Qt::Key_PageUp: return std::string("\x0b");
    case Qt::Key_PageDown: return std::string("\x0c");
    default: break;
  }
  // A key without text (F1, Insert ...) still reaches the handler, as a key
  // with no code: a filter refuses it, the splash hands over on it.
  return FromQt(event.text());
}

// The stored layouts were drawn for a Helvetica-metric UI font; where one is
// installed it keeps their texts inside their controls (a wider font cuts
// the count field's label short).
QFont SystemFont() {
  for (const char* family : {"Helvetica", "Arial", "Liberation Sans", "Nimbus Sans"}) {
    QString name = QString::fromLatin1(family);
    if (QFontDatabase::hasFamily(name) && QFontInfo(QFont(name)).family() == name) return QFont(name);
  }
  return QApplication::font();
}

QFont MakeFont(const std::string& name, double size, bool bold, bool italic, bool underline) {
  QFont font = SystemFont();
  if (name == "Courier") {
    font = QFont(QStringLiteral("Courier"));
    font.setStyleHint(QFont::TypeWriter);
    if (!QFontInfo(font).fixedPitch()) font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  } else if (name != "System" && !name.empty()) {
    font = QFont(ToQt(name));
  }
  if (size > 0) font.setPixelSize(int(size + 0.5));
  font.setBold(bold);
  font.setItalic(italic);
  font.setUnderline(underline);
  return font;
}

void Control::RaiseOpen() {
  if (m_open) Dispatch([this] { m_open(*this); });
}

RectControl::RectControl(Window& window, QWidget* widget) : Control(window), m_widget(widget) {
  widget->setParent(window.ContentArea());
}

RectControl::~RectControl() = default;

bool RectControl::Visible() const { return m_widget && !m_widget->isHidden(); }

void RectControl::SetVisible(bool on) { m_widget->setVisible(on); }

void RectControl::SetFocus() { m_widget->setFocus(Qt::OtherFocusReason); }

bool RectControl::SetFontProperty(std::string_view name, const PropertyValue& value) {
  if (name == "FontName") m_fontName = value.AsText(name);
  else if (name == "FontSize") m_fontSize = value.AsDouble(name);
  else if (name == "Bold") m_bold = value.AsBool(name);
  else if (name == "Italic") m_italic = value.AsBool(name);
  else if (name == "Underline") m_underline = value.AsBool(name);
  else return false;
  m_widget->setFont(MakeFont(m_fontName, m_fontSize, m_bold, m_italic, m_underline));
  return true;
}

void RectControl::SetProperty(std::string_view name, const PropertyValue& value) {
  QRect g = m_widget->geometry();
  if (name == "Left") g.moveLeft(int(value.AsInt(name)));
  else if (name == "Top") g.moveTop(int(value.AsInt(name)));
  else if (name == "Width") g.setWidth(int(value.AsInt(name)));
  else if (name == "Height") g.setHeight(int(value.AsInt(name)));
  else if (name == "Visible") return SetVisible(value.AsBool(name));
  else if (name == "Enabled") return m_widget->setEnabled(value.AsBool(name));
  else if (name == "Tooltip") return m_widget->setToolTip(ToQt(value.AsText(name)));
  else if (name == "TabStop") {
    if (!value.AsBool(name)) m_widget->setFocusPolicy(m_widget->focusPolicy() == Qt::NoFocus ? Qt::NoFocus : Qt::ClickFocus);
    return;
  } else if (SetFontProperty(name, value)) return;
  else if (IsInertSetting(name)) return;
  else UnknownProperty(ClassName(), name);
  m_widget->setGeometry(g);
}

// Gives the field's KeyDown handler every key before the field sees it.
class KeyFilter : public QObject {
 public:
  explicit KeyFilter(TextField& field) : QObject(field.Widget()), m_field(field) {}

  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() != QEvent::KeyPress || !m_field.m_keyDown) return false;
    auto key = KeyText(*static_cast<QKeyEvent*>(event));
    if (!key) return false;
    bool swallowed = false;
    Dispatch([&] { swallowed = m_field.m_keyDown(m_field, *key); });
    return swallowed;
  }

 private:
  TextField& m_field;
};

TextField::TextField(Window& window) : RectControl(window, new QLineEdit) {
  Edit()->installEventFilter(new KeyFilter(*this));
}

QLineEdit* TextField::Edit() const { return static_cast<QLineEdit*>(Widget()); }

std::string TextField::Text() const { return FromQt(Edit()->text()); }

void TextField::SetText(std::string_view text) { Edit()->setText(ToQt(text)); }

void TextField::BindKeyDown(std::function<bool(TextField&, const std::string&)> handler) {
  m_keyDown = std::move(handler);
}

void TextField::SetProperty(std::string_view name, const PropertyValue& value) {
  QLineEdit* edit = Edit();
  if (name == "Value") SetText(value.AsText(name));
  else if (name == "TextAlignment") edit->setAlignment(AlignmentOf(value.AsInt(name)));
  else if (name == "MaximumCharactersAllowed") {
    auto n = value.AsInt(name);
    edit->setMaxLength(n > 0 ? int(n) : 32767);
  } else if (name == "ValidationMask") edit->setValidator(MaskValidator(value.AsText(name), edit));
  else if (name == "Hint") edit->setPlaceholderText(ToQt(value.AsText(name)));
  else if (name == "Password") edit->setEchoMode(value.AsBool(name) ? QLineEdit::Password : QLineEdit::Normal);
  else if (name == "ReadOnly") edit->setReadOnly(value.AsBool(name));
  else if (name == "HasBorder") edit->setFrame(value.AsBool(name));
  else if (name == "BackgroundColor") SetPaletteColor(edit, QPalette::Base, value.AsColor(name));
  else if (name == "TextColor") SetPaletteColor(edit, QPalette::Text, value.AsColor(name));
  else if (name == "AllowTabs") value.AsBool(name);
  else RectControl::SetProperty(name, value);
}

struct TextArea::Appender {
  QTextCursor cursor;
  bool undoWasOn = true;
};

TextArea::TextArea(Window& window) : RectControl(window, new QPlainTextEdit), m_appender(std::make_unique<Appender>()) {}

TextArea::~TextArea() = default;

QPlainTextEdit* TextArea::Edit() const { return static_cast<QPlainTextEdit*>(Widget()); }

std::string TextArea::Text() const { return FromQt(Edit()->toPlainText()); }

void TextArea::SetText(std::string_view text) { Edit()->setPlainText(ToQt(text)); }

void TextArea::AppendText(std::string_view piece) {
  AppendScope scope(*this);
  QTextCursor& cursor = m_appender->cursor;
  cursor.movePosition(QTextCursor::End);
  cursor.insertText(ToQt(piece));
}

// Appended text is never undone: the document keeps no undo history while
// text is appended, and turning it off drops the history before it, so Undo
// takes back only what the user typed after the last append.
TextArea::AppendScope::AppendScope(TextArea& area) : m_area(area) {
  if (m_area.m_scopes++ == 0) {
    QTextDocument* document = m_area.Edit()->document();
    m_area.m_appender->undoWasOn = document->isUndoRedoEnabled();
    document->setUndoRedoEnabled(false);
    m_area.m_appender->cursor = QTextCursor(document);
    m_area.m_appender->cursor.beginEditBlock();
  }
}

TextArea::AppendScope::~AppendScope() {
  if (--m_area.m_scopes == 0) {
    m_area.m_appender->cursor.endEditBlock();
    m_area.Edit()->document()->setUndoRedoEnabled(m_area.m_appender->undoWasOn);
  }
}

StyledText TextArea::GetStyledText() { return StyledText(*this); }

std::int64_t TextArea::LineCount() const { return Edit()->document()->blockCount(); }

void TextArea::ScrollToLine(std::int64_t line) {
  // The vertical scroll bar counts laid-out lines: its value is the top one.
  QTextBlock block = Edit()->document()->findBlockByNumber(int(std::clamp<std::int64_t>(line, 0, LineCount() - 1)));
  QScrollBar* bar = Edit()->verticalScrollBar();
  bar->setValue(std::clamp(block.firstLineNumber(), bar->minimum(), bar->maximum()));
}

void TextArea::SetTabInterval(int pixels) { Edit()->setTabStopDistance(pixels); }

void TextArea::SetProperty(std::string_view name, const PropertyValue& value) {
  QPlainTextEdit* edit = Edit();
  if (name == "Value") SetText(value.AsText(name));
  else if (name == "Multiline") value.AsBool(name);
  else if (name == "HasHorizontalScrollbar") {
    bool on = value.AsBool(name);
    edit->setLineWrapMode(on ? QPlainTextEdit::NoWrap : QPlainTextEdit::WidgetWidth);
    edit->setHorizontalScrollBarPolicy(on ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
  } else if (name == "HasVerticalScrollbar")
    edit->setVerticalScrollBarPolicy(value.AsBool(name) ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
  else if (name == "ReadOnly") edit->setReadOnly(value.AsBool(name));
  else if (name == "AllowTabs") edit->setTabChangesFocus(!value.AsBool(name));
  else if (name == "MaximumCharactersAllowed" || name == "TextAlignment") value.AsInt(name);
  else if (name == "ValidationMask") value.AsText(name);
  else if (name == "HasBorder") edit->setFrameShape(value.AsBool(name) ? QFrame::StyledPanel : QFrame::NoFrame);
  else if (name == "BackgroundColor") SetPaletteColor(edit, QPalette::Base, value.AsColor(name));
  else if (name == "TextColor") SetPaletteColor(edit, QPalette::Text, value.AsColor(name));
  else RectControl::SetProperty(name, value);
}

void StyledText::Bold(std::int64_t start, std::int64_t length, bool on) {
  QTextDocument* document = m_area->Edit()->document();
  // Styling is not an edit the user should be able to undo.
  bool undo = document->isUndoRedoEnabled();
  document->setUndoRedoEnabled(false);
  QTextCursor cursor(document);
  cursor.setPosition(int(start));
  cursor.setPosition(int(start + length), QTextCursor::KeepAnchor);
  QTextCharFormat format;
  format.setFontWeight(on ? QFont::Bold : QFont::Normal);
  cursor.mergeCharFormat(format);
  document->setUndoRedoEnabled(undo);
}

bool StyledText::IsBold(std::int64_t position) const {
  QTextCursor cursor(m_area->Edit()->document());
  cursor.setPosition(int(position));
  cursor.setPosition(int(position + 1), QTextCursor::KeepAnchor);
  return cursor.charFormat().fontWeight() >= QFont::Bold;
}

Label::Label(Window& window) : RectControl(window, new QLabel) {
  LabelWidget()->setTextFormat(Qt::PlainText);
  LabelWidget()->setAlignment(AlignmentOf(0));
}

QLabel* Label::LabelWidget() const { return static_cast<QLabel*>(Widget()); }

std::string Label::Text() const { return FromQt(LabelWidget()->text()); }

void Label::SetProperty(std::string_view name, const PropertyValue& value) {
  QLabel* label = LabelWidget();
  if (name == "Value") label->setText(ToQt(value.AsText(name)));
  else if (name == "TextAlignment") label->setAlignment(AlignmentOf(value.AsInt(name)));
  else if (name == "Multiline") label->setWordWrap(value.AsBool(name));
  else if (name == "Selectable")
    label->setTextInteractionFlags(value.AsBool(name) ? Qt::TextSelectableByMouse : Qt::NoTextInteraction);
  else if (name == "TextColor") SetPaletteColor(label, QPalette::WindowText, value.AsColor(name));
  else RectControl::SetProperty(name, value);
}

// A push button that acts on the press. The release may go to a modal
// dialog the handler opened, so the button is let up again afterwards.
class ButtonWidget : public QPushButton {
 public:
  explicit ButtonWidget(PushButton& owner) : m_owner(owner) {
    setAutoDefault(false);
    setDefault(false);
  }

 protected:
  void mousePressEvent(QMouseEvent* event) override {
    QPushButton::mousePressEvent(event);
    if (event->button() != Qt::LeftButton || !m_owner.m_mouseDown) return;
    QPointer<ButtonWidget> self(this);
    PushButton& owner = m_owner;
    QPoint at = event->position().toPoint();
    bool claimed = false;
    Dispatch([&] { claimed = owner.m_mouseDown(owner, at.x(), at.y()); });
    if (self && (claimed || QGuiApplication::mouseButtons() == Qt::NoButton)) setDown(false);
  }

 private:
  PushButton& m_owner;
};

PushButton::PushButton(Window& window) : RectControl(window, new ButtonWidget(*this)) {}

QPushButton* PushButton::Button() const { return static_cast<QPushButton*>(Widget()); }

std::string PushButton::Caption() const { return FromQt(Button()->text()); }

void PushButton::BindMouseDown(std::function<bool(PushButton&, int, int)> handler) { m_mouseDown = std::move(handler); }

void PushButton::SetProperty(std::string_view name, const PropertyValue& value) {
  if (name == "Caption") Button()->setText(ToQt(value.AsText(name)));
  else if (name == "TabStop") Button()->setFocusPolicy(value.AsBool(name) ? Qt::TabFocus : Qt::NoFocus);
  else RectControl::SetProperty(name, value);
}

// Paints the backdrop; presses pass on to the window.
class CanvasWidget : public QWidget {
 public:
  explicit CanvasWidget(Canvas& owner) : m_owner(owner) {}

 protected:
  void paintEvent(QPaintEvent*) override {
    if (!m_owner.Backdrop()) return;
    QPainter painter(this);
    painter.drawImage(QPoint(0, 0), m_owner.Backdrop()->Image());
  }

 private:
  Canvas& m_owner;
};

Canvas::Canvas(Window& window) : RectControl(window, new CanvasWidget(*this)) {
  Widget()->setFocusPolicy(Qt::NoFocus);
}

void Canvas::SetBackdrop(std::shared_ptr<Picture> picture) {
  m_backdrop = std::move(picture);
  Widget()->update();
}

void Canvas::SetProperty(std::string_view name, const PropertyValue& value) {
  if (name == "AllowTabs") value.AsBool(name);
  else RectControl::SetProperty(name, value);
}

Timer::Timer(Window& window) : Control(window), m_timer(std::make_unique<QTimer>()) {
  QObject::connect(m_timer.get(), &QTimer::timeout, m_timer.get(), [this] { CallAction(); });
}

Timer::~Timer() = default;

bool Timer::Running() const { return m_timer->isActive(); }

void Timer::CallAction() {
  if (m_action) Dispatch([this] { m_action(*this); });
}

void Timer::Restart() {
  m_timer->stop();
  if (m_runMode == 0) return;
  m_timer->setSingleShot(m_runMode == 1);
  m_timer->start(int(m_period));
}

void Timer::SetProperty(std::string_view name, const PropertyValue& value) {
  if (name == "Period") m_period = value.AsInt(name);
  else if (name == "RunMode") m_runMode = int(value.AsInt(name));
  else if (name == "Enabled") value.AsBool(name);
  else UnknownProperty(ClassName(), name);
  Restart();
}

}  // namespace fw
