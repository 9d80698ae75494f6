#include "host/app/AppDocument.h"

#include <utility>

#include "host/app/HostApplication.h"
#include "host/app/ViewWindow.h"

namespace host {

AppDocument::AppDocument(std::string name, std::weak_ptr<mzblprsx::IRgObject> object,
                         platform::Ref<ViewWindow> window,
                         std::weak_ptr<HostApplication> application)
    : name_(std::move(name)),
      object_(object.lock()),
      window_(std::move(window)),
      application_(std::move(application)) {}

std::string AppDocument::Title() {
  return window_ ? window_->DocumentTitle() : std::string();
}

void AppDocument::SetTitle(const std::string& title) {
  if (window_) window_->SetDocumentTitle(title);
}

platform::Ref<mzblprsx::IRgObject> AppDocument::Object() {
  return object_;
}

void AppDocument::Close() {
  if (closed_) return;
  if (auto application = application_.lock()) {
    application->CloseDocument(platform::Self(this));
  }
  closed_ = true;
}

bool AppDocument::Shows(const platform::Ref<platform::Object>& object) const {
  const platform::Ref<mzblprsx::IRgObject> mine = object_;
  return object && mine && platform::SameObject(mine, object);
}

}  // namespace host
