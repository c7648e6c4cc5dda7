// The editor's words for a failure of writing a document's web site: the site library words its
// refusals for pagetool's users, in English; the editor says them in Japanese, keeping the
// library's detail where it helps (the file that is in the way, why a page file didn't load).
#pragma once

#include <QString>
#include <exception>
#include <optional>

namespace pm {

// The text for the failure of a site into `folder`; nothing for EAbort (a cancel says nothing)
// and for failures that aren't a pm::Exception, which the event guard words.
std::optional<QString> SiteFailureText(const std::exception_ptr& failure, const QString& folder);

}  // namespace pm
