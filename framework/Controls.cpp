#include "framework/Controls.h"

#include <QApplication>
#include <QMimeData>
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
#include <QValidator>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTimer>
#include <algorithm>
#include <cmath>
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

}  // namespace

// What a field takes, by every route that brings text into it (a key, a
// paste by key, menu or middle button, a drop): at most its maximum of
// characters, each a digit where its mask has "#" ("0" and "9" alike), every
// digit optional so that the mask bounds the text without asking for it
// whole. A masked field takes text without the white space around it (a
// copied spreadsheet cell ends in a line end). What does not fit is refused
// whole: the field has no length limit of its own, which would cut a paste.
class FieldValidator : public QValidator {
 public:
  using QValidator::QValidator;

  void SetMaximum(std::int64_t characters) { m_maximum = characters > 0 ? characters : 0; }
  void SetMask(const std::string& mask) {
    for (char c : mask)
      if (c != '#' && c != '0' && c != '9') throw std::logic_error("unsupported ValidationMask " + mask);
    m_mask = mask;
  }

  State validate(QString& input, int& position) const override {
    if (!m_mask.empty()) {
      const qsizetype lead = std::find_if(input.begin(), input.end(), [](QChar c) { return !c.isSpace(); }) - input.begin();
      input = input.trimmed();
      position = int(std::clamp<qsizetype>(position - lead, 0, input.size()));
    }
    if (m_maximum > 0 && input.size() > m_maximum) return Invalid;
    if (m_mask.empty()) return Acceptable;
    if (input.size() > qsizetype(m_mask.size())) return Invalid;
    const auto digit = [](QChar c) { return c >= u'0' && c <= u'9'; };
    return std::all_of(input.begin(), input.end(), digit) ? Acceptable : Invalid;
  }

 private:
  std::int64_t m_maximum = 0;
  std::string m_mask;
};


std::optional<std::string> KeyText(const QKeyEvent& event) {
  switch (event.key()) {
    case Qt::Key_Shift: case Qt::Key_Control: case Qt::Key_Meta: case Qt::Key_Alt: case Qt::Key_AltGr:
    case Qt::Key_CapsLock: case Qt::Key_NumLock: case Qt::Key_ScrollLock: case Qt::Key_Super_L:
    case Qt::Key_Super_R: case Qt::Key_Hyper_L: case Qt::Key_Hyper_R:
      return std::nullopt;
    default: break;
  }
  if (event.modifiers() & (Qt::ControlModifier | Qt::MetaModifier | Qt::AltModifier)) return std::nullopt;
  // The platform's editing keys without a command key (Shift+Insert pastes).
  for (auto editing : {QKeySequence::Paste, QKeySequence::Copy, QKeySequence::Cut})
    if (event.matches(editing)) return std::nullopt;
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
  WindowHold hold(OwnerWindow());
  if (m_open) Dispatch([this] { m_open(*this); });
}

RectControl::RectControl(Window& window, QWidget* widget)
    : Control(window), m_bounds(widget->geometry()), m_widget(widget) {
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
  Place();
  return true;
}

void RectControl::Place() { m_widget->setGeometry(m_bounds); }

void RectControl::SetProperty(std::string_view name, const PropertyValue& value) {
  if (name == "Left") m_bounds.moveLeft(int(value.AsInt(name)));
  else if (name == "Top") m_bounds.moveTop(int(value.AsInt(name)));
  else if (name == "Width") m_bounds.setWidth(int(value.AsInt(name)));
  else if (name == "Height") m_bounds.setHeight(int(value.AsInt(name)));
  else if (name == "Visible") return SetVisible(value.AsBool(name));
  else if (name == "Enabled") return m_widget->setEnabled(value.AsBool(name));
  else if (name == "Tooltip") return m_widget->setToolTip(ToQt(value.AsText(name)));
  else if (name == "TabStop") {
    if (!value.AsBool(name)) m_widget->setFocusPolicy(m_widget->focusPolicy() == Qt::NoFocus ? Qt::NoFocus : Qt::ClickFocus);
    return;
  } else if (SetFontProperty(name, value)) return;
  else if (IsInertSetting(name)) return;
  else UnknownProperty(ClassName(), name);
  Place();
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
    WindowHold hold(m_field.OwnerWindow());
    Dispatch([&] { swallowed = m_field.m_keyDown(m_field, *key); });
    return swallowed;
  }

 private:
  TextField& m_field;
};

// A line edit that sounds the alert when it refuses text, as the key filter
// does for a key; a typed key beyond the field's length is dropped silently.
class FieldWidget : public QLineEdit {
 public:
  FieldWidget() {
    QObject::connect(this, &QLineEdit::inputRejected, this, [this] {
      if (!m_typing) Beep();
    });
  }

 protected:
  void keyPressEvent(QKeyEvent* event) override {
    m_typing = !event->matches(QKeySequence::Paste);
    QLineEdit::keyPressEvent(event);
    m_typing = false;
  }

 private:
  bool m_typing = false;
};

TextField::TextField(Window& window) : RectControl(window, new FieldWidget), m_validator(new FieldValidator(Edit())) {
  Edit()->installEventFilter(new KeyFilter(*this));
  Edit()->setValidator(m_validator);
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
  else if (name == "MaximumCharactersAllowed") m_validator->SetMaximum(value.AsInt(name));
  else if (name == "ValidationMask") m_validator->SetMask(value.AsText(name));
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

// Qt breaks lines by the rules before Unicode 15.1: never before a "."
// (class IS), even after a space, but between it and a digit, so " .05" can
// end a line with its point (measured in Qt 6.4 and 6.8 alike). This layout
// lays lines out as the toolkit does, then lays out again each block where
// the toolkit ended a line inside a word that holds a digit, ending that line
// before the word instead.
class NumberKeepingLayout : public QPlainTextDocumentLayout {
 public:
  using QPlainTextDocumentLayout::QPlainTextDocumentLayout;

  void SetOn() {
    m_on = true;
    KeepNumbersWhole();
  }

  // After an edit, and after a change of width, when the toolkit has laid
  // out its blocks again or dropped their lines.
  void KeepNumbersWhole() {
    if (!m_on) return;
    const int lines = document()->lineCount();
    for (QTextBlock block = document()->begin(); block.isValid(); block = block.next()) {
      ensureBlockLayout(block);
      if (SplitsANumber(block)) Relayout(block);
    }
    // The scroll bar counts the document's lines.
    if (document()->lineCount() != lines) emit documentSizeChanged(documentSize());
  }

 protected:
  void documentChanged(int from, int removed, int added) override {
    QPlainTextDocumentLayout::documentChanged(from, removed, added);
    KeepNumbersWhole();
  }

 private:
  // Where the word that `line` ends inside starts, when the word holds a
  // digit and does not start the line; else -1.
  static qsizetype MovableWord(const QString& text, const QTextLine& line) {
    const qsizetype end = line.textStart() + line.textLength();
    if (end <= line.textStart() || end >= text.size() || text[end - 1].isSpace() || text[end].isSpace())
      return -1;
    qsizetype start = end;
    while (start > line.textStart() && !text[start - 1].isSpace()) --start;
    qsizetype stop = end;
    while (stop < text.size() && !text[stop].isSpace()) ++stop;
    const auto digit = [](QChar c) { return c.isDigit(); };
    return start > line.textStart() && std::any_of(text.begin() + start, text.begin() + stop, digit) ? start : -1;
  }

  static bool SplitsANumber(const QTextBlock& block) {
    const QTextLayout* layout = block.layout();
    const QString text = block.text();
    for (int i = 0; i + 1 < layout->lineCount(); ++i)
      if (MovableWord(text, layout->lineAt(i)) >= 0) return true;
    return false;
  }

  // As the toolkit lays a block out, but a line that would split a number
  // takes only the characters before it.
  static void Relayout(const QTextBlock& block) {
    QTextLayout* layout = block.layout();
    const QString text = block.text();
    const qreal width = layout->lineAt(0).width();
    QPointF position = layout->lineAt(0).position();
    layout->beginLayout();
    for (QTextLine line = layout->createLine(); line.isValid(); line = layout->createLine()) {
      line.setLeadingIncluded(true);
      line.setLineWidth(width);
      const qsizetype word = MovableWord(text, line);
      if (word >= 0) line.setNumColumns(int(word - line.textStart()), width);
      line.setPosition(position);
      // As the toolkit steps its lines: a font's negative leading draws them closer.
      position.ry() += line.height() + std::min<qreal>(0, std::ceil(line.leading()));
    }
    layout->endLayout();
    QTextBlock(block).setLineCount(layout->lineCount());
  }

  bool m_on = false;
};

// A text area whose copies keep its columns: a word processor takes a
// copy's rich text before its plain text, so the rich text offered is the
// plain text, in the area's fixed-pitch font, with every space and line.
class AreaWidget : public QPlainTextEdit {
 public:
  explicit AreaWidget(const TextArea& owner) : m_owner(owner) {
    auto* document = new QTextDocument(this);
    m_layout = new NumberKeepingLayout(document);
    document->setDocumentLayout(m_layout);
    setDocument(document);
  }

  // Long lines wrap as before, but never inside a word holding a digit.
  void KeepNumbersWhole() { m_layout->SetOn(); }

 protected:
  void resizeEvent(QResizeEvent* event) override {
    QPlainTextEdit::resizeEvent(event);
    m_layout->KeepNumbersWhole();
  }

  // Without tabs allowed, Tab moves the focus on and never types a tab, also
  // where there is no other control to move it to.
  void keyPressEvent(QKeyEvent* event) override {
    const bool tab = event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab;
    if (tab && tabChangesFocus() && !(event->modifiers() & Qt::ControlModifier)) return event->ignore();
    QPlainTextEdit::keyPressEvent(event);
  }

  QMimeData* createMimeDataFromSelection() const override {
    const std::unique_ptr<QMimeData> selection(QPlainTextEdit::createMimeDataFromSelection());
    auto* data = new QMimeData;
    const QString text = selection ? selection->text() : QString();
    data->setText(text);
    // The family as other programs name it: without the foundry that
    // tells apart two installed fonts of one name ("Nimbus Mono PS [urw]").
    QString family = QFontInfo(font()).family().section(QStringLiteral(" ["), 0, 0);
    family.remove(u'\'').remove(u'"').remove(u'<').remove(u'>');
    // The line end after <pre> is dropped by every reader, so a first line
    // end of the text itself is kept.
    data->setHtml(QStringLiteral("<html><head><meta charset=\"utf-8\"></head><body><pre style=\"font-family: '%1', "
                                 "monospace; font-size: %2pt; white-space: pre\">\n%3</pre></body></html>")
                      .arg(family, QString::number(m_owner.FontSize()), text.toHtmlEscaped()));
    return data;
  }

 private:
  const TextArea& m_owner;
  NumberKeepingLayout* m_layout;
};

TextArea::TextArea(Window& window) : RectControl(window, new AreaWidget(*this)), m_appender(std::make_unique<Appender>()) {}

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
  Edit()->horizontalScrollBar()->setValue(Edit()->horizontalScrollBar()->minimum());
}

void TextArea::SetTabColumns(const std::vector<int>& columns) {
  QTextDocument* document = Edit()->document();
  const qreal space = QFontMetricsF(document->defaultFont()).horizontalAdvance(u' ');
  QList<QTextOption::Tab> tabs;
  for (int column : columns) tabs.append(QTextOption::Tab(column * space, QTextOption::LeftTab));
  QTextOption option = document->defaultTextOption();
  option.setTabs(tabs);
  document->setDefaultTextOption(option);
}

void TextArea::WrapKeepingNumbersWhole() { static_cast<AreaWidget*>(Edit())->KeepNumbersWhole(); }

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
  else return RectControl::SetProperty(name, value);
  Place();
}

void Label::Place() {
  QRect bounds = m_bounds;
  const QLabel* label = LabelWidget();
  const int wider = label->wordWrap() ? 0 : label->sizeHint().width() - bounds.width();
  if (wider > 0) {
    if (label->alignment() & Qt::AlignRight) bounds.setLeft(bounds.left() - wider);
    else if (label->alignment() & Qt::AlignHCenter) bounds.adjust(-wider / 2, 0, wider - wider / 2, 0);
    else bounds.setRight(bounds.right() + wider);
  }
  Widget()->setGeometry(bounds);
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
    WindowHold hold(owner.OwnerWindow());
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
    const Picture* picture = m_owner.Backdrop().get();
    if (!picture) return;
    QPainter painter(this);
    const qreal ratio = devicePixelRatioF();
    const QImage& image = picture->ImageFor(ratio);
    if (&image == &picture->Image()) {
      painter.drawImage(QPoint(0, 0), image);
      return;
    }
    // Scaled down to the screen's pixels from twice the resolution, not up
    // from the picture's own, so 125 % and 150 % show no stair steps.
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(QRectF(0, 0, picture->Width(), picture->Height()), image);
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
  WindowHold hold(OwnerWindow());
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
