// The main window's menu bar, toolbars and control strips, written from the frame's model.

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <algorithm>

#include "forms/Application.h"
#include "qtview/Convert.h"
#include "qtview/FormView.h"
#include "qtview/FormsView.h"

namespace qtview {

using forms::Control;

FormCanvas* FormView::stripFor(const forms::Toolbar* toolbar) {
  auto& strip = strips_[toolbar];
  if (strip) return strip;
  // The frame's controls sit on the toolbar that hosts them, or on a strip of their own.
  QToolBar* bar = nullptr;
  const auto& bars = form_->toolbars();
  for (size_t i = 0; i < bars.size() && i < toolbars_.size(); ++i)
    if (bars[i].get() == toolbar) bar = toolbars_[i];
  if (!bar) {
    bar = new QToolBar(frame_);
    bar->setMovable(false);
    frame_->addToolBarBreak();
    frame_->addToolBar(Qt::TopToolBarArea, bar);
  }
  strip = new FormCanvas(*this, bar);
  bar->addWidget(strip);
  return strip;
}

void FormView::fitStrips() {
  for (auto& [toolbar, strip] : strips_) {
    if (!strip) continue;
    int right = 0, bottom = 0;
    for (auto& c : form_->controls()) {
      if (c->container() || !c->visible() || c->toolbarHost() != toolbar) continue;
      right = std::max(right, toPixels(c->left() + c->width()));
      bottom = std::max(bottom, toPixels(c->top() + c->height()));
    }
    strip->setFixedSize(std::max(right, 1), std::max(bottom, 1));
  }
}

// ---------------------------------------------------------------- menus and toolbars

void FormView::applyMenus() {
  QMenuBar* bar = frame_->menuBar();
  if (menuActions_.size() != form_->menus().size()) {
    // Built once the form has made its menus; rebuilt only if it adds more later.
    bar->clear();
    for (auto& m : menus_)
      if (m) m->deleteLater();
    menus_.clear();
    menuActions_.clear();
    std::function<void(forms::MenuItem*, QWidget*)> build = [&](forms::MenuItem* item,
                                                                QWidget* parent) {
      QAction* action = nullptr;
      if (!item->children().empty()) {
        auto* menu = new QMenu(parent);
        menus_.push_back(menu);
        action = menu->menuAction();
        parent->addAction(action);
        for (forms::MenuItem* child : item->children()) build(child, menu);
        if (item->isWindowList())
          QObject::connect(menu, &QMenu::aboutToShow, this, [this, menu] { fillWindowList(menu); });
      } else {
        action = new QAction(parent);
        parent->addAction(action);
        if (item->caption() == "-") {
          action->setSeparator(true);
        } else {
          QObject::connect(action, &QAction::triggered, this, [this, item, action] {
            if (!user([item] { item->userClick(); })) return;
            action->setChecked(item->checked());
          });
        }
      }
      menuActions_[item] = action;
    };
    for (forms::MenuItem* top : form_->topMenus()) build(top, bar);
  }
  for (auto& m : form_->menus()) {
    QAction* a = menuActions_[m.get()];
    if (!a) continue;
    if (!a->isSeparator()) {
      a->setText(toQt(m->caption()));
      if (a->menu()) a->menu()->setTitle(toQt(m->caption()));
      if (!a->menu()) {
        if (m->checked()) a->setCheckable(true);
        a->setChecked(m->checked());
        a->setShortcut(QKeySequence(toQt(m->shortcut()), QKeySequence::PortableText));
      }
      a->setEnabled(m->enabled());
    }
    a->setVisible(m->visible());
  }
}

void FormView::fillWindowList(QMenu* menu) {
  for (auto& a : windowListActions_)
    if (a) delete a.data();
  windowListActions_.clear();
  std::vector<forms::Form*> children;
  for (forms::Form* f : owner_->app().loadedForms())
    if (f->isMdiChild() && f->visible()) children.push_back(f);
  if (children.empty()) return;
  windowListActions_.push_back(menu->addSeparator());
  int n = 0;
  for (forms::Form* f : children) {
    ++n;
    QString label = (n < 10 ? QStringLiteral("&%1 ").arg(n) : QStringLiteral("%1 ").arg(n)) +
                    toQt(f->caption()).replace(QLatin1Char('&'), QLatin1String("&&"));
    QAction* a = menu->addAction(label);
    a->setCheckable(true);
    a->setChecked(owner_->app().activeMdiChild() == f);
    uint64_t id = f->instanceId();
    std::string name = f->name();
    QObject::connect(a, &QAction::triggered, this, [this, name, id] {
      forms::Form* child = owner_->app().find(name);
      if (!child || child->instanceId() != id) return;
      user([child] {
        // Choosing a minimised window from the list restores it.
        if (child->windowState() == forms::kStateMinimized)
          child->userSetWindowState(forms::kStateNormal);
        child->userActivate();
      });
    });
    windowListActions_.push_back(a);
  }
}

void FormView::applyToolbars() {
  const auto& bars = form_->toolbars();
  while (toolbars_.size() < bars.size()) {
    auto* tb = new QToolBar(toQt(bars[toolbars_.size()]->name()), frame_);
    tb->setObjectName(toQt(bars[toolbars_.size()]->name()));
    tb->setMovable(false);
    tb->setIconSize(QSize(16, 16));
    if (!toolbars_.empty()) frame_->addToolBarBreak();
    frame_->addToolBar(Qt::TopToolBarArea, tb);
    toolbars_.push_back(tb);
    toolbarActions_.emplace_back();
  }
  for (size_t i = 0; i < bars.size(); ++i) {
    forms::Toolbar* model = bars[i].get();
    QToolBar* tb = toolbars_[i];
    auto& actions = toolbarActions_[i];
    if (actions.size() != model->buttons().size()) {
      for (auto& a : actions)
        if (a) delete a.data();
      actions.clear();
      for (const forms::ToolbarButton& b : model->buttons()) {
        QAction* a = nullptr;
        if (b.separator) {
          a = new QAction(tb);
          a->setSeparator(true);
        } else {
          a = new QAction(tb);
          int index = b.index;
          QObject::connect(a, &QAction::triggered, this, [this, model, index] {
            user([model, index] { model->userClick(index); });
          });
        }
        // Buttons go before the bar's other widgets (the picture, the control strip).
        QAction* before = nullptr;
        for (QAction* existing : tb->actions())
          if (std::find(actions.begin(), actions.end(), existing) == actions.end()) {
            before = existing;
            break;
          }
        tb->insertAction(before, a);
        actions.push_back(a);
      }
      if (!model->picture.empty()) {
        auto* picture = new QLabel(tb);
        picture->setPixmap(QPixmap(toQt(model->picture)));
        tb->addWidget(picture);
      }
    }
    for (size_t k = 0; k < actions.size(); ++k) {
      const forms::ToolbarButton& b = model->buttons()[k];
      QAction* a = actions[k];
      if (!b.separator) {
        if (!b.image.empty()) a->setIcon(iconFor(b.image));
        a->setText(toQt(b.caption.empty() ? b.key : b.caption));
        a->setToolTip(toQt(b.toolTip));
        a->setEnabled(b.enabled);
      }
      a->setVisible(b.visible);
    }
    tb->setVisible(model->visible());
  }
}

}  // namespace qtview
