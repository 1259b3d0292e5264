#pragma once
// Keeps a slide's changed settings (timing, sound and reading switches) in its project: the
// page's entry in the current document's page list is rewritten with the page's settings, and
// the project writes it with its next save. A page of no current document (the shared blank
// page, a page of a closed project) is left alone. User-interface thread only.
namespace Ostrel {

class RPage;

// True when the entry was rewritten.
bool StorePageSettings(RPage& page);

}  // namespace Ostrel
