// SPDX-License-Identifier: MIT
// Shows a ListView as the main window's chapter list is set up (check boxes,
// dotted focus rectangle, white background), with three columns and a number
// of generated rows (20,000 unless a count is given), in the Qt host.
//   listview-demo [ROWS]

#include "listview/ListView.h"
#include "platform/PropertyBag.h"
#include "platform/StdFont.h"
#include "platform/qt/QtServices.h"
#include "platform/qt/WindowHostWidget.h"

#include <QApplication>
#include <algorithm>
#include <cstdlib>
#include <string>

namespace {

using namespace lumarin;

std::u16string Number(int n) {
    std::u16string s;
    for (char c : std::to_string(n))
        s += static_cast<char16_t>(c);
    return s;
}

// Every seventh row is "checked" and coloured, as short chapters are in the program.
class StripedRows : public listview::ICustomDraw {
public:
    bool CustomDraw(std::int32_t item, std::int32_t column, std::int32_t& back,
                    std::int32_t& fore) override {
        if (item % 7 != 3) return false;
        if (column == 1) fore = 0x0000C0; // dark red
        back = 0xE0F0FF;                  // pale orange
        return true;
    }
};

platform::PropertyBag ChapterListForm() {
    platform::PropertyBag bag;
    const platform::PropertyValue none = std::int32_t{-2};
    bag.WriteProperty(u"BackColor", std::int32_t{0xFFFFFF}, none);
    bag.WriteProperty(u"Reorder", false, none);
    bag.WriteProperty(u"Font", std::make_shared<platform::StdFont>(u"Noto Sans CJK SC", 9), none);
    bag.WriteProperty(u"SolidFocusRect", false, none);
    bag.WriteProperty(u"Checkboxes", true, none);
    bag.WriteProperty(u"ItemsAutoSize", false, none);
    bag.WriteProperty(u"Sortable", true, none);
    return bag;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    platform::qt::InstallQtServices();
    const int rows = argc > 1 ? std::max(0, std::atoi(argv[1])) : 20000;

    listview::ListView list(0, 0, 0, 640, 480);
    list.LoadStoredProperties(ChapterListForm());
    StripedRows striped;
    list.DrawCallback(&striped);

    list.Redraw(false);
    list.AddColumn(u"no", u"序号", 1, 70);
    list.AddColumn(u"heading", u"标题行", 0, 330);
    list.AddColumn(u"preview", u"预览", 0, 220);
    for (int r = 0; r < rows; ++r) {
        const std::int32_t row = list.AddItem(-1, Number(r + 1));
        list.ItemText(row, 1, u"第" + Number(r + 1) + u"章 青灯夜读，风雨故人来");
        list.ItemText(row, 2, Number(r + 1) + u" 风雨故人来");
        if (r % 7 == 3) list.ItemChecked(row, true);
    }
    list.Redraw(true);

    platform::qt::WindowHostWidget host(list.hWnd());
    host.setWindowTitle(QStringLiteral("ListView demo"));
    host.resize(640, 480);
    host.show();
    return app.exec();
}
