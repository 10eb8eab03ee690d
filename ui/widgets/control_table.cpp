// SPDX-FileCopyrightText: 2026 The rlc-parallelo authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/widgets/control_table.h"

#include <algorithm>
#include <limits>
#include <vector>

#include <QAccessible>
#include <QButtonGroup>
#include <QFontDatabase>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

#include "ui/widgets/image_box.h"
#include "ui/widgets/picture_box.h"
#include "ui/widgets/wrapping_button.h"

namespace ui {

namespace {

const QColor kWhite(255, 255, 255);
const QColor kLightYellow(255, 255, 192);
const QColor kLightCyan(192, 255, 255);

void SetColour(QWidget* widget, QPalette::ColorRole role, const QColor& colour) {
  QPalette palette = widget->palette();
  palette.setColor(role, colour);
  widget->setPalette(palette);
}

QLabel* CreateLabel(const ControlSpec& spec, QWidget* parent) {
  auto* label = new QLabel(QString::fromUtf8(spec.caption), parent);
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  label->setTextFormat(Qt::PlainText);
  label->setWordWrap(spec.kind == ControlKind::kLabel);  // a caption too wide for one line wraps
  switch (spec.kind) {
    case ControlKind::kPlotLabel:
      label->setAutoFillBackground(true);
      SetColour(label, QPalette::Window, kLightYellow);
      break;
    case ControlKind::kResultBox:
    case ControlKind::kReadoutBox:
    case ControlKind::kCreditBox: {
      label->setAutoFillBackground(true);
      label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
      label->setLineWidth(1);
      const QColor background = spec.kind == ControlKind::kResultBox    ? kWhite
                                : spec.kind == ControlKind::kReadoutBox ? kLightYellow
                                                                        : kLightCyan;
      SetColour(label, QPalette::Window, background);
      label->setAlignment((spec.kind == ControlKind::kReadoutBox ? Qt::AlignRight : Qt::AlignLeft) |
                          Qt::AlignVCenter);
      if (spec.kind == ControlKind::kCreditBox) {
        QFont font = label->font();
        font.setBold(false);
        label->setFont(font);
      }
      break;
    }
    default:
      break;
  }
  return label;
}

QWidget* CreateControl(const ControlSpec& spec, QWidget* parent, QButtonGroup*& options) {
  switch (spec.kind) {
    case ControlKind::kTextBox: {
      auto* box = new QLineEdit(QString::fromUtf8(spec.caption), parent);
      box->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
      box->setMaxLength(std::numeric_limits<int>::max());  // nothing typed or pasted is cut off
      return box;
    }
    case ControlKind::kButton:
      return new WrappingButton(QString::fromUtf8(spec.caption), parent);
    case ControlKind::kOption: {
      auto* option = new QRadioButton(QString::fromUtf8(spec.caption), parent);
      if (options == nullptr) options = new QButtonGroup(parent);
      options->addButton(option);
      return option;
    }
    case ControlKind::kImage:
      return new ImageBox(QString::fromUtf8(spec.caption), parent);
    case ControlKind::kPicture:
      return new PictureBox(parent);
    default:
      return CreateLabel(spec, parent);
  }
}

// The controls that may take the keyboard focus; a picture box only once its
// window gives it something to do with keys (PictureBox::SetKeyHandler).
bool TakesFocus(ControlKind kind) {
  return kind == ControlKind::kTextBox || kind == ControlKind::kButton ||
         kind == ControlKind::kOption || kind == ControlKind::kPicture;
}

}  // namespace

void ShowValue(QLabel* label, const QString& text, const QString& unit, const QString& more) {
  const QString description = (unit.isEmpty() || text.isEmpty() ? text : text + ' ' + unit) + more;
  if (label->text() == text && label->accessibleDescription() == description) return;
  label->setText(text);
  label->setAccessibleDescription(description);
  QAccessibleEvent changed(label, QAccessible::DescriptionChanged);
  QAccessible::updateAccessibility(&changed);
}

void NameForScreenReaders(QWidget* window,
                          std::initializer_list<std::pair<const char*, const char*>> names) {
  for (const auto& [object, name] : names)
    Control<QWidget>(window, object)->setAccessibleName(QString::fromUtf8(name));
}

void LoadFonts() {
#ifdef RLC_BUNDLED_FONTS
  static const bool loaded = [] {
    for (const char* file :
         {":/fonts/LiberationSans-Bold.ttf", ":/fonts/LiberationSans-Regular.ttf"})
      QFontDatabase::addApplicationFont(QString::fromLatin1(file));
    return true;
  }();
  (void)loaded;
#endif
}

QFont ControlFont() {
  QFont font(QStringLiteral("Liberation Sans"));
  font.setStyleHint(QFont::SansSerif);
  font.setPixelSize(11);
  font.setBold(true);
  return font;
}

void BuildControls(QWidget* window, QPalette::ColorRole background,
                   std::span<const ControlSpec> table) {
  SetColour(window, QPalette::Window, window->palette().color(background));
  window->setAutoFillBackground(true);
  window->setFont(ControlFont());
  QButtonGroup* options = nullptr;
  std::vector<std::pair<int, QWidget*>> focus_chain;
  for (const ControlSpec& spec : table) {
    QWidget* parent = spec.container == nullptr ? window : Control<QWidget>(window, spec.container);
    QWidget* control = CreateControl(spec, parent, options);
    control->setObjectName(QString::fromLatin1(spec.name));
    // Inside a picture box, places count from its client area, within the frame.
    const QPoint origin = parent == window ? QPoint() : parent->contentsRect().topLeft();
    control->setGeometry(origin.x() + Pixels(spec.left), origin.y() + Pixels(spec.top),
                         Pixels(spec.width), Pixels(spec.height));
    if (spec.text_colour != 0) {
      const QColor colour = QColor::fromRgb(spec.text_colour);
      SetColour(control, QPalette::WindowText, colour);
      SetColour(control, QPalette::ButtonText, colour);
    }
    if (TakesFocus(spec.kind)) focus_chain.emplace_back(spec.tab_index, control);
  }
  std::stable_sort(focus_chain.begin(), focus_chain.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  for (size_t i = 1; i < focus_chain.size(); ++i)
    QWidget::setTabOrder(focus_chain[i - 1].second, focus_chain[i].second);
}

}  // namespace ui
