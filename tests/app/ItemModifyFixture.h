#pragma once
// The calculation dialog on the shipped data bases: a started program, an
// item to edit, and the dialog's controls by name.

#include "app/AppFixture.h"
#include "app/CostChart.h"
#include "app/ItemModify.h"
#include "calc/Item.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QString>
#include <QTabWidget>

#include <memory>
#include <vector>
#include <string>

class ItemModifyFixture : public AppFixture {
protected:
    // The program with the shipped data bases and, unless left out, the
    // shipped price list; start-up boxes are forgotten.
    void StartWithData(bool prices = true);
    // A dialog on `item`, owned by the main window.
    std::unique_ptr<TItemModifyForm> Open(TItem& item);

    template <class T>
    static T& Find(const TItemModifyForm& form, const char* name) {
        T* widget = form.FindComponentAs<T>(QString::fromLatin1(name));
        if (!widget) throw std::runtime_error(std::string("no component ") + name);
        return *widget;
    }
    static QLineEdit& Edit(const TItemModifyForm& form, const char* name) { return Find<QLineEdit>(form, name); }
    static QLabel& Label(const TItemModifyForm& form, const char* name) { return Find<QLabel>(form, name); }
    static QComboBox& Combo(const TItemModifyForm& form, const char* name) { return Find<QComboBox>(form, name); }
    static std::string Text(const TItemModifyForm& form, const char* name);
    // Types into an edit (its change event follows, as with the keyboard).
    static void Type(const TItemModifyForm& form, const char* name, const char* utf8);
    // Not hidden by the dialog (the dialog itself is never shown).
    static bool Shown(const TItemModifyForm& form, const char* name);
    // Picks a list entry as the user does: the change event follows.
    static void Choose(const TItemModifyForm& form, const char* name, int index);
    // The names of the pages whose tabs show.
    static std::string ShownTabs(const TItemModifyForm& form, const char* name);
    // The name of the control with the focus, "" when none.
    static std::string Focused(const TItemModifyForm& form);

    // DN 100 steel pipe, 50 m, 5 m3/h of water at 90 degC in air of 10 degC
    // and 60 %, mineral-wool pipe sections 50 mm thick.
    static TItem Pipe(CalcMode type = CalcMode::GivedThickness);
    // A duct of that geometry, 400 x 200 or 400 mm, of air at 40 degC,
    // 1000 m3/h, mineral-wool mats; inside alpha 25 where it is given.
    static TItem Duct(GeometryType geometry, CalcMode type = CalcMode::GivedThickness);
    // A standing cylindrical tank of water at 60 degC, 2 m x 1.2 m.
    static TItem Tank(CalcMode type = CalcMode::GivedThickness);
    // An Optimum pipe with the cost points (10, 5, 7), (20, 8, 3), (30, 12, 2).
    static TItem WithPoints();
    // The chart points' thickness, lower or upper bar values.
    static std::vector<double> Values(const TCostChart& chart, double TCostChart::TPoint::*field);
};
