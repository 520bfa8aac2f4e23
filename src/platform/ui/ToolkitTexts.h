// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace platform {

// The toolkit's own texts (context menus, standard buttons) in German, from the system's
// Qt translations. Returns false when the translation is not installed. The game loads them
// just after its first frame; whatever shows such a text earlier calls this first.
bool useGermanToolkitTexts();

}  // namespace platform
