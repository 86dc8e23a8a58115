// SPDX-License-Identifier: MIT
// Start-up after the application object exists: bind the About item, open the calculator.
#pragma once

namespace mq {

class App;
class MacQuelvorWnd;

// Binds the About menu item to the application's About command (a second call replaces it).
void BindMenus(App& app);

// Binds the menus, then opens the calculator window, which shows the application's menus.
MacQuelvorWnd& StartUp(App& app);

}  // namespace mq
