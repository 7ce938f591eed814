// Where the pane's links lead: anchors, followed links, the history and the
// visited links, and the end of a link's hover.
#include "htmlengine/ui/HtmlPane.h"

#include <QApplication>
#include <QCursor>

namespace htmlengine {

// ---- links, anchors, history

std::string THtmlPane::ResolveLinkToFile(const std::string& link) const {
    return htmlengine::ResolveLinkToFile(link, {loadedFile_, base_, serverRoot_});
}

bool THtmlPane::JumpToAnchor(const std::string& name) {
    std::string n = name;
    if (!n.empty() && n[0] == '#') n.erase(0, 1);
    if (n.empty()) return false;
    TSectionBase* section = anchors_.Find(UpperAscii(n));
    if (!section) return false;
    ScrollToAtLeft(section->Top);
    RecordVisited(loadedFile_ + "#" + n);
    return true;
}

void THtmlPane::FollowLink() {
    bool handled = false;
    if (OnHotSpotClick) OnHotSpotClick(linkUrl_, handled);
    if (handled) return;
    const Remembered here = RememberPage();
    const std::string link = linkUrl_;
    if (!link.empty() && link[0] == '#') {
        if (JumpToAnchor(link)) {
            PushHistoryEntry(here);
            RecordVisited(loadedFile_ + link);
        }
        return;
    }
    const size_t hash = link.find('#');
    const std::string anchor = hash == std::string::npos ? std::string() : link.substr(hash, kMaxAnchorLength + 1);
    const std::string file = ResolveLinkToFile(link.substr(0, hash));
    switch (ClassifyLink(file)) {
    case TLinkTarget::Html:
        if (file != loadedFile_) {
            OpenHtmlFile(file + anchor);
            RecordVisited(file + anchor);
        } else if (JumpToAnchor(anchor)) {
            Remembered same = here;
            same.kind = kHtmlFile;
            PushHistoryEntry(same);
            RecordVisited(file + anchor);
        }
        break;
    case TLinkTarget::Picture: OpenImageFile(file); break;
    case TLinkTarget::Other: break;
    }
}

void THtmlPane::PushHistoryEntry(const Remembered& old) {
    history_.Push({old.file, old.title, old.position, old.kind}, {loadedFile_, title_, CurrentPosition(), kind_});
}

void THtmlPane::GoToHistoryEntry(int32_t index) {
    if (!history_.CanGoTo(index) || processing_) return;
    if (!loadedFile_.empty()) {
        history_.Entries[size_t(history_.Cursor)] = {loadedFile_, title_, CurrentPosition(), kind_};
    }
    const THistoryEntry target = history_.Entries[size_t(index)];
    if (target.File != loadedFile_ || target.Kind != kind_) LoadDocument(target.File, target.Kind);
    RestorePosition(target.Position);
    history_.Cursor = index;
    if (OnHistoryChange) OnHistoryChange();
}

std::string THtmlPane::ResolvedLinkUrl(const std::string& url) const {
    if (!url.empty() && url[0] == '#') return loadedFile_ + url;
    const size_t hash = url.find('#');
    if (hash == std::string::npos) return ResolveLinkToFile(url);
    return ResolveLinkToFile(url.substr(0, hash)) + url.substr(hash);
}

void THtmlPane::RecordVisited(const std::string& url) {
    if (visited_.Record(url) != TVisitedList::Recorded::New) return;
    const std::string key = UpperAscii(url);
    for (TFontObj* link : doc_.LinkList)
        if (UpperAscii(ResolvedLinkUrl(link->UrlTarget().Url)) == key) link->SetVisited(true, doc_);
}

void THtmlPane::MarkVisitedLinks() {
    if (visited_.MaxCount() <= 0 || visited_.Urls.empty()) return;
    for (TFontObj* link : doc_.LinkList)
        if (visited_.Contains(ResolvedLinkUrl(link->UrlTarget().Url))) link->SetVisited(true, doc_);
}

void THtmlPane::SetVisitedMaxCount(int32_t value) {
    if (!visited_.SetMaxCount(value)) return;
    for (TFontObj* link : doc_.LinkList) link->SetVisited(false, doc_);
    update();
    panel_->update();
}

void THtmlPane::HotSpotTimerTick() {
    if (QApplication::widgetAt(QCursor::pos()) == panel_ && panel_->underMouse()) return;
    doc_.ClearActive();
    hotSpotTimer_.stop();
    if (!linkUrl_.empty()) {
        linkUrl_.clear();
        linkTarget_.clear();
        if (OnHotSpotCovered) OnHotSpotCovered("");
    }
}

}  // namespace htmlengine
