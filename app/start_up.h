// SPDX-License-Identifier: MIT
// Start-up after the application object exists: bind the About item, open the calculator.
#pragma once

namespace mq {

class App;
class MacQuelvorWnd;

// Binds the About item and the calculator's commands (Analyse, Synthesise, Cross-Check, Copy
// Page) to their handlers; a second call replaces them.
void BindMenus(App& app);

// Binds the menus, then opens the calculator window, which shows the application's menus.
MacQuelvorWnd& StartUp(App& app);

}  // namespace mq
