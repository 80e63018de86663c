#pragma once

class QObject;

// Texts of the interface descriptions themselves. A view or menu item that
// carries a dynamic property "textKey", "toolTipKey", "accessibleNameKey" or
// "placeholderKey" gets the string table's text for that key as its text, tool
// tip, accessible name or placeholder when it is loaded. The screens' own
// captions are set by the screens (InitLanguage); this covers what no screen
// sets, such as menu items without a tag of their own and the names of buttons
// that show only a picture.
class InterfaceLocalizer {
public:
    // The object and everything below it (child widgets, actions, menus).
    static void localize(QObject* root);
};
