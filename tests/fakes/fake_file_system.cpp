// The in-memory file system's operations, with the error numbers the real one reports.
#include "fakes/fake_file_system.h"

#include <algorithm>
#include <iterator>

#include "base/errors.h"
#include "base/text.h"

namespace veltrane::fakes {

FakeFileSystem::FakeFileSystem() {
  AddFolder("C:\\");
}

std::string FakeFileSystem::Full(const std::string& path) const {
  std::string text = path;
  for (char& c : text) {
    if (c == '/') c = '\\';
  }
  if (text.rfind("\\\\?\\", 0) == 0) text = text.substr(4);
  if (text.empty()) return text;
  const bool unc = text.rfind("\\\\", 0) == 0;
  const bool drive = text.size() >= 2 && text[1] == ':';
  std::string prefix;
  if (unc) {
    prefix = "\\\\";
    text = text.substr(2);
  } else if (drive && text.size() > 2 && text[2] == '\\') {
    prefix = text.substr(0, 3);
    text = text.substr(3);
  } else if (drive) {
    // "D:name" is taken from the current folder when that is on drive D, else from the drive's root.
    bool current = Upper(text.substr(0, 1)) == Upper(currentFolder.substr(0, 1));
    prefix = current ? currentFolder + "\\" : text.substr(0, 2) + "\\";
    text = text.substr(2);
  } else if (text[0] == '\\') {
    prefix = currentFolder.substr(0, 2) + "\\";
    text = text.substr(1);
  } else {
    prefix = currentFolder + "\\";
  }
  text = prefix + text;
  // Split into components, resolving "." and ".." and dropping trailing dots and spaces of each name;
  // ".." never climbs above the drive root or the share.
  const size_t rootParts = unc ? 2 : 1;
  std::vector<std::string> parts;
  size_t start = unc ? 2 : 0;
  while (start <= text.size()) {
    size_t end = text.find('\\', start);
    if (end == std::string::npos) end = text.size();
    std::string part = text.substr(start, end - start);
    if (part != "." && part != "..") {
      while (!part.empty() && (part.back() == '.' || part.back() == ' ')) part.pop_back();
    }
    if (part == "..") {
      if (parts.size() > rootParts) parts.pop_back();
    } else if (!part.empty() && part != ".") {
      parts.push_back(part);
    }
    start = end + 1;
  }
  std::string result = unc ? "\\\\" : "";
  for (size_t i = 0; i < parts.size(); ++i) {
    if (i != 0) result += '\\';
    result += parts[i];
  }
  if (result.size() == 2 && result[1] == ':') result += '\\';
  return result;
}

std::string FakeFileSystem::Key(const std::string& path) const {
  return Upper(Full(path));
}

std::string FakeFileSystem::Parent(const std::string& key) {
  size_t slash = key.rfind('\\');
  if (slash == std::string::npos) return {};
  if (slash == 2 && key.size() > 3) return key.substr(0, 3);
  if (slash == key.size() - 1) return {};
  return key.substr(0, slash);
}

bool FakeFileSystem::Within(const std::string& key, const std::string& folder) {
  return key == folder || key.compare(0, folder.size() + 1, folder + "\\") == 0;
}

std::string FakeFileSystem::Spelling(const std::string& path, const std::string& key) const {
  return key == Key(path) ? path : key;
}

std::string FakeFileSystem::Resolve(const std::string& path) const {
  std::string key = Key(path);
  // The system gives up on a chain of links this long; so does the fake.
  for (int hops = 0; hops < 32; ++hops) {
    bool followed = false;
    for (size_t slash = key.find('\\', 3); slash != std::string::npos; slash = key.find('\\', slash + 1)) {
      auto found = nodes_.find(key.substr(0, slash));
      if (found == nodes_.end() || !found->second.link) continue;
      std::string target = Key(found->second.linkTarget);
      if (!target.empty() && target.back() == '\\') target.pop_back();
      key = target + key.substr(slash);
      followed = true;
      break;
    }
    if (!followed) return key;
  }
  return key;
}

const FakeFileSystem::Node* FakeFileSystem::Lookup(const std::string& path) const {
  if (path.empty()) return nullptr;
  auto found = nodes_.find(Resolve(path));
  return found == nodes_.end() ? nullptr : &found->second;
}

const FakeFileSystem::Node* FakeFileSystem::Follow(const std::string& path) const {
  const Node* node = Lookup(path);
  for (int hops = 0; node != nullptr && node->link && hops < 32; ++hops) node = Lookup(node->linkTarget);
  return node != nullptr && node->link ? nullptr : node;
}

FakeFileSystem::Node* FakeFileSystem::Lookup(const std::string& path) {
  return const_cast<Node*>(static_cast<const FakeFileSystem*>(this)->Lookup(path));
}

bool FakeFileSystem::ParentExists(const std::string& path) const {
  std::string parent = Parent(Resolve(path));
  if (parent.empty()) return false;
  auto found = nodes_.find(parent);
  return found != nodes_.end() && found->second.folder;
}

void FakeFileSystem::AddFolder(const std::string& path) {
  std::string key = Resolve(path);
  if (key.empty() || nodes_.count(key) != 0) return;
  std::string parent = Parent(key);
  if (!parent.empty() && parent != key) AddFolder(parent);
  Node node;
  node.path = Spelling(path, key);
  node.folder = true;
  node.attributes = kAttributeDirectory;
  nodes_[key] = node;
}

void FakeFileSystem::AddFile(const std::string& path, std::string contents, uint32_t attributes) {
  std::string key = Resolve(path);
  AddFolder(Parent(key));
  Node node;
  node.path = Spelling(path, key);
  node.data = std::move(contents);
  node.attributes = attributes;
  nodes_[key] = node;
}

void FakeFileSystem::AddLink(const std::string& path, const std::string& target, bool toFolder) {
  AddFile(path, {}, kAttributeReparsePoint | (toFolder ? kAttributeDirectory : kAttributeArchive));
  Node& node = nodes_[Resolve(path)];
  node.folder = toFolder;
  node.link = true;
  node.linkTarget = target;
}

void FakeFileSystem::SetInUse(const std::string& path, bool inUse) {
  if (Node* node = Lookup(path)) node->inUse = inUse;
}

void FakeFileSystem::AddShortName(const std::string& shortPath, const std::string& longPath) {
  shortNames_[Key(shortPath)] = longPath;
}

void FakeFileSystem::SetAttributes(const std::string& path, uint32_t attributes) {
  if (Node* node = Lookup(path))
    node->attributes = node->folder ? (attributes | kAttributeDirectory) : attributes;
}

bool FakeFileSystem::Exists(const std::string& path) const {
  return Lookup(path) != nullptr;
}

bool FakeFileSystem::IsFolder(const std::string& path) const {
  const Node* node = Lookup(path);
  return node != nullptr && node->folder;
}

std::optional<std::string> FakeFileSystem::Contents(const std::string& path) const {
  const Node* node = Lookup(path);
  if (node == nullptr || node->folder) return std::nullopt;
  return node->data;
}

std::vector<std::string> FakeFileSystem::ListTree(const std::string& folder) const {
  std::string prefix = folder.empty() ? std::string() : Key(folder);
  if (!prefix.empty() && prefix.back() != '\\') prefix += '\\';
  std::vector<std::string> paths;
  for (const auto& [key, node] : nodes_) {
    if (key.compare(0, prefix.size(), prefix) == 0 && key != Key(folder)) paths.push_back(node.path);
  }
  return paths;
}

bool FakeFileSystem::PathFileExists(const std::string& path) {
  if (Inject("PathFileExists") != 0) return false;
  return Lookup(path) != nullptr;
}

bool FakeFileSystem::PlainFileExists(const std::string& path) {
  if (Inject("PlainFileExists") != 0) return false;
  const Node* node = Lookup(path);
  return node != nullptr && !node->folder && (node->attributes & (kAttributeHidden | kAttributeSystem)) == 0;
}

uint32_t FakeFileSystem::GetFileAttributes(const std::string& path) {
  if (Inject("GetFileAttributes") != 0) return kInvalidFileAttributes;
  const Node* node = Lookup(path);
  return node == nullptr ? kInvalidFileAttributes : node->attributes;
}

int FakeFileSystem::SetFileAttributes(const std::string& path, uint32_t attributes) {
  if (int error = Inject("SetFileAttributes")) return error;
  Node* node = Lookup(path);
  if (node == nullptr) return ParentExists(path) ? kErrFileNotFound : kErrPathNotFound;
  if (node->link) return kErrPathFileAccess;
  constexpr uint32_t kSettable = kAttributeReadOnly | kAttributeHidden | kAttributeSystem | kAttributeArchive;
  node->attributes = (attributes & kSettable) | (node->folder ? kAttributeDirectory : 0);
  if (node->attributes == 0) node->attributes = kAttributeNormal;
  return kErrNone;
}

int FakeFileSystem::ReadFile(const std::string& path, std::string& contents) {
  if (int error = Inject("ReadFile")) return error;
  const Node* node = Follow(path);
  if (node == nullptr) return ParentExists(path) ? kErrFileNotFound : kErrPathNotFound;
  if (node->folder) return kErrPermissionDenied;
  contents = node->data;
  return kErrNone;
}

int FakeFileSystem::WriteFile(const std::string& path, std::string_view contents) {
  if (int error = Inject("WriteFile")) return error;
  Node* node = Lookup(path);
  // Opening a file link for writing writes what it points to.
  if (node != nullptr && node->link) node = const_cast<Node*>(Follow(path));
  if (node != nullptr) {
    if (node->folder) return kErrPermissionDenied;
    if (node->inUse || (node->attributes & kAttributeReadOnly) != 0) return kErrPermissionDenied;
    bool fits = Store(contents.size());
    node->data = std::string(fits ? contents : std::string_view());
    return fits ? kErrNone : kErrDiskFull;
  }
  if (!ParentExists(path)) return kErrPathNotFound;
  // A truncating write that runs out of room leaves the file it made, empty.
  bool fits = Store(contents.size());
  AddFile(path, std::string(fits ? contents : std::string_view()));
  return fits ? kErrNone : kErrDiskFull;
}

int FakeFileSystem::CreateNewFile(const std::string& path, std::string_view contents) {
  if (int error = Inject("CreateNewFile")) return error;
  if (Lookup(path) != nullptr) return kErrFileExists;
  if (!ParentExists(path)) return kErrPathNotFound;
  if (!Store(contents.size())) return kErrDiskFull;
  AddFile(path, std::string(contents));
  return kErrNone;
}

int FakeFileSystem::ReplaceFile(const std::string& replacement, const std::string& target) {
  if (int error = Inject("ReplaceFile")) return error;
  Node* source = Lookup(replacement);
  if (source == nullptr || source->folder) return kErrFileNotFound;
  Node* existing = Lookup(target);
  if (existing != nullptr && (existing->folder || existing->inUse)) return kErrPermissionDenied;
  if (existing == nullptr && !ParentExists(target)) return kErrPathNotFound;
  std::string targetKey = Resolve(target);
  Node moved = *source;
  moved.path = existing != nullptr ? existing->path : Spelling(target, targetKey);
  nodes_.erase(Resolve(replacement));
  nodes_[targetKey] = moved;
  return kErrNone;
}

int FakeFileSystem::DeleteFile(const std::string& path) {
  if (int error = Inject("DeleteFile")) return error;
  Node* node = Lookup(path);
  if (node == nullptr) return ParentExists(path) ? kErrFileNotFound : kErrPathNotFound;
  if (node->folder) return kErrPermissionDenied;
  if (node->inUse || (node->attributes & kAttributeReadOnly) != 0) return kErrPermissionDenied;
  nodes_.erase(Resolve(path));
  return kErrNone;
}

int FakeFileSystem::CopyFile(const std::string& source, const std::string& target, bool overwrite) {
  if (int error = Inject("CopyFile")) return error;
  const Node* from = Follow(source);
  if (from == nullptr || from->folder) return kErrFileNotFound;
  // The copy is written through a file link that stands at the target, as opening it would.
  std::string targetPath = target;
  Node* to = Lookup(target);
  if (to != nullptr && to->link) {
    to = const_cast<Node*>(Follow(target));
    if (to == nullptr) return kErrFileNotFound;
    targetPath = to->path;
  }
  if (to != nullptr) {
    if (!overwrite) return kErrFileExists;
    if (to->folder || to->inUse || (to->attributes & kAttributeReadOnly) != 0) return kErrPermissionDenied;
  } else if (!ParentExists(target)) {
    return kErrPathNotFound;
  }
  std::string targetKey = Resolve(targetPath);
  if (!Store(from->data.size())) {
    // What the copy had written goes with it, an overwritten file included.
    nodes_.erase(targetKey);
    return kErrDiskFull;
  }
  Node copy = *from;
  copy.path = to != nullptr ? to->path : Spelling(targetPath, targetKey);
  copy.inUse = false;
  nodes_[targetKey] = copy;
  return kErrNone;
}

int FakeFileSystem::CreateFolder(const std::string& path) {
  if (int error = Inject("CreateFolder")) return error;
  if (Lookup(path) != nullptr) return kErrFileExists;
  if (!ParentExists(path)) return kErrPathNotFound;
  AddFolder(path);
  return kErrNone;
}

int FakeFileSystem::CopyFolder(const std::string& source, const std::string& target,
                               std::vector<std::string>& skippedLinks) {
  if (int error = Inject("CopyFolder")) return error;
  const Node* from = Lookup(source);
  if (from == nullptr || !from->folder) return kErrPathNotFound;
  const Node* to = Lookup(target);
  if (from->link || (to != nullptr && to->link)) {
    skippedLinks.push_back(from->link ? from->path : to->path);
    return kErrNone;
  }
  if (to != nullptr && !to->folder) return kErrPathFileAccess;
  if (to == nullptr && !ParentExists(target)) return kErrPathNotFound;
  std::string sourceKey = Resolve(source);
  std::string targetPath = target;
  while (targetPath.size() > 3 && targetPath.back() == '\\') targetPath.pop_back();
  std::string targetKey = Resolve(targetPath);
  targetPath = Spelling(targetPath, targetKey);
  // A link already standing in the target tree is not written through.
  auto linkOnTheWay = [&](const std::string& copyKey) -> const Node* {
    for (size_t slash = copyKey.find('\\', targetKey.size()); slash != std::string::npos;
         slash = copyKey.find('\\', slash + 1)) {
      auto found = nodes_.find(copyKey.substr(0, slash));
      if (found != nodes_.end() && found->second.link) return &found->second;
    }
    auto found = nodes_.find(copyKey);
    return found != nodes_.end() && found->second.link ? &found->second : nullptr;
  };
  std::vector<std::pair<std::string, Node>> copies;
  for (const auto& [key, node] : nodes_) {
    if (!Within(key, sourceKey)) continue;
    if (node.link) {
      skippedLinks.push_back(node.path);
      continue;
    }
    Node copy = node;
    copy.path = targetPath + node.path.substr(std::min(node.path.size(), sourceKey.size()));
    copy.inUse = false;
    std::string copyKey = Key(copy.path);
    if (const Node* link = linkOnTheWay(copyKey)) {
      if (std::find(skippedLinks.begin(), skippedLinks.end(), link->path) == skippedLinks.end()) {
        skippedLinks.push_back(link->path);
      }
      continue;
    }
    copies.emplace_back(copyKey, copy);
  }
  for (const auto& [key, node] : copies) {
    auto existing = nodes_.find(key);
    if (existing != nodes_.end() && existing->second.inUse) return kErrPermissionDenied;
  }
  bool fresh = to == nullptr;
  for (auto& [key, node] : copies) {
    auto existing = nodes_.find(key);
    if (!node.folder && !Store(node.data.size())) {
      // The file being written goes; a target that the copy made goes whole.
      if (existing != nodes_.end()) nodes_.erase(existing);
      if (fresh) std::erase_if(nodes_, [&](const auto& entry) { return Within(entry.first, targetKey); });
      return kErrDiskFull;
    }
    if (existing != nodes_.end()) node.path = existing->second.path;
    nodes_[key] = node;
  }
  return kErrNone;
}

int FakeFileSystem::DeleteFolder(const std::string& path) {
  if (int error = Inject("DeleteFolder")) return error;
  const Node* node = Lookup(path);
  if (node == nullptr || !node->folder) return kErrPathNotFound;
  // The system clears read-only flags on the way, but not those of links, which are left as they are.
  auto refuses = [](const Node& entry) {
    return entry.inUse || (entry.link && (entry.attributes & kAttributeReadOnly) != 0);
  };
  std::string key = Resolve(path);
  if (node->link) {
    if (refuses(*node)) return kErrPermissionDenied;
    nodes_.erase(key);
    return kErrNone;
  }
  std::vector<std::string> kept;
  for (const auto& [childKey, child] : nodes_) {
    if (childKey != key && Within(childKey, key) && refuses(child)) kept.push_back(childKey);
  }
  // Everything else goes; what refused stays with the folders that hold it.
  for (auto it = nodes_.begin(); it != nodes_.end();) {
    bool holds =
        std::any_of(kept.begin(), kept.end(), [&](const std::string& k) { return Within(k, it->first); });
    it = Within(it->first, key) && !holds ? nodes_.erase(it) : std::next(it);
  }
  return kept.empty() ? kErrNone : kErrPermissionDenied;
}

int FakeFileSystem::ListFiles(const std::string& folder, std::vector<FileEntry>& files) {
  if (int error = Inject("ListFiles")) return error;
  return List(folder, false, files);
}

int FakeFileSystem::ListFolders(const std::string& folder, std::vector<FileEntry>& folders) {
  if (int error = Inject("ListFolders")) return error;
  return List(folder, true, folders);
}

int FakeFileSystem::LockFile(const std::string& path, uint32_t, uint64_t& lock) {
  if (int error = Inject("LockFile")) return error;
  std::string lockFile = path + ".lock";
  if (Lookup(lockFile) == nullptr) {
    if (!ParentExists(lockFile)) return kErrPathNotFound;
    AddFile(lockFile);
  }
  std::string key = Resolve(lockFile);
  for (const auto& [handle, held] : locks_) {
    if (held == key) return kErrFileAlreadyOpen;  // no time passes here: the wait ends at once
  }
  lock = nextLock_++;
  locks_[lock] = key;
  return kErrNone;
}

void FakeFileSystem::UnlockFile(uint64_t lock) {
  locks_.erase(lock);
}

bool FakeFileSystem::Store(size_t bytes) {
  if (!freeBytes) return true;
  if (bytes > *freeBytes) {
    freeBytes = 0;
    return false;
  }
  *freeBytes -= bytes;
  return true;
}

int FakeFileSystem::List(const std::string& folder, bool folders, std::vector<FileEntry>& files) {
  const Node* node = Follow(folder);
  if (node == nullptr || !node->folder) return kErrPathNotFound;
  std::string key = Key(node->path);
  files.clear();
  for (const auto& [childKey, child] : nodes_) {
    if (child.folder != folders || Parent(childKey) != key) continue;
    size_t slash = child.path.find_last_of("\\/");
    files.push_back({child.path.substr(slash == std::string::npos ? 0 : slash + 1), child.path});
  }
  return kErrNone;
}

int FakeFileSystem::FileLength(const std::string& path, uint64_t& length) {
  if (int error = Inject("FileLength")) return error;
  const Node* node = Lookup(path);
  if (node == nullptr) return kErrFileNotFound;
  length = node->folder ? 0 : node->data.size();
  return kErrNone;
}

int FakeFileSystem::FileDateTime(const std::string& path, DateTime& lastWrite) {
  if (int error = Inject("FileDateTime")) return error;
  const Node* node = Lookup(path);
  if (node == nullptr) return kErrFileNotFound;
  lastWrite = node->time;
  return kErrNone;
}

std::string FakeFileSystem::FullLongPath(const std::string& path) {
  Inject("FullLongPath");
  std::string full = Full(path);
  // Each name that is a registered short name is replaced by its long form, left to right.
  std::string result;
  size_t start = 0;
  while (start < full.size()) {
    size_t end = full.find('\\', start + (full.rfind("\\\\", 0) == 0 && start == 0 ? 2 : 0));
    if (end == std::string::npos) end = full.size();
    result += full.substr(start, end - start);
    auto shortName = shortNames_.find(Upper(result));
    if (shortName != shortNames_.end()) result = shortName->second;
    if (end < full.size()) result += '\\';
    start = end + 1;
  }
  return result;
}

}  // namespace veltrane::fakes
