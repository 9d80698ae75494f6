// The host's text tables. Each text says plainly what the step that shows it does; message
// texts name the operation (%1, the snap-in's title text) and list the objects (%2).
#include "host/framework/HostTexts.h"

#include "platform/Text.h"

namespace host::texts {

namespace {

const TextTable& UiTexts() {
  static const TextTable table = {
      // Names of placeholder and container items. The placeholders stand in one program for the
      // blocks that only the other side has: 4 in the PLC's program, 5 in the project's.
      {4, "Blocks only in the project"},
      {5, "Blocks only in the PLC"},
      {7, "Memory card"},
      // Titles that head the messages of the snap-in.
      {121, "Online project"},
      {202, "Category"},
      // Overwrite dialog: blocks (520-528, 533, 534) and categories (529-532, 535).
      {520, "Block already exists"},
      {521, "A block with this number already exists in the program. What do you want to do?"},
      {522, "Insert the block under a new number"},
      {523, "Overwrite the existing block"},
      {524, "New:"},
      {525, "Existing:"},
      {526, "OK"},
      {527, "All"},
      {528, "Cancel"},
      {529, "Category already exists"},
      {530, "A category with this name already exists in the program. What do you want to do?"},
      {531, "Insert the category under a new name"},
      {532, "Overwrite the existing category"},
      {533, "System blocks cannot be renamed; they can only be overwritten or left out."},
      {534, "Do not insert the block"},
      {535, "Do not insert the category"},
      // Download, upload and block list dialogs.
      {550, "Download to PLC"},
      {551, "Upload from PLC"},
      {552, "Select All"},
      {553, "Select None"},
      {554, "Load"},
      {555, "Cancel"},
      {556, "Open Block"},
      {557, "Open"},
      {558, "Properties"},
      // Title of the transfer messages.
      {821, "Insert objects"},
      // Column headings and totals of the printed details.
      {1000, "Name"},
      {1001, "Symbol"},
      {1002, "Size"},
      {1003, "Language"},
      {1004, "Last modified"},
      {1005, "Author"},
      {1006, "Header"},
      {1007, "Type"},
      {1008, "Total:"},
      {1009, "bytes"},
      {1017, "File name"},
      {1018, "File type"},
      // Input errors of the overwrite dialog.
      {2100, "A block with this number already exists. Enter another number."},
      {2101, "This number is not valid for the block type. Enter another number."},
      {2106, "The block is open in an editor. Close the editor before overwriting it."},
      {2110, "A category with this name already exists. Enter another name."},
      {2111, "The category has no name. Enter a name."},
      // Headings of the placeholder descriptions: 5007 in the project's program, 5008 in the
      // PLC's; the blocks follow, one a line.
      {5007, "These blocks are in the PLC but not in the project:"},
      {5008, "These blocks are in the project but not yet in the PLC:"},
  };
  return table;
}

const TextTable& CommonMessages() {
  static const TextTable table = {
      {1037, "%1: the source of these objects no longer exists; they are not inserted:\r\n%2"},
      {1038,
       "%1: these blocks could not be saved before copying:\r\n%2\r\n"
       "Copy the other objects anyway?"},
      {1039,
       "%1: these blocks could not be saved before loading into the PLC:\r\n%2\r\n"
       "Load the other objects anyway?"},
      {1040, "%1: none of the blocks could be saved; they are left out of the copy:\r\n%2"},
      {1041, "%1: none of the blocks could be saved; they are not loaded into the PLC:\r\n%2"},
      {1042,
       "%1: these blocks could not be saved before moving:\r\n%2\r\n"
       "Move the other objects anyway?"},
      {1043, "%1: these objects cannot be inserted here:\r\n%2"},
      {1044, "%1: these blocks no longer exist in the PLC; their windows are closed:\r\n%2"},
      {1045, "%1: these objects could not be loaded:\r\n%2"},
      {1046, "%1: these objects could not be deleted:\r\n%2"},
      {1047, "%1: every block is open in an editor; none of them is transferred:\r\n%2"},
      {1048,
       "%1: these blocks are open in an editor and are left out:\r\n%2\r\n"
       "Copy the other objects anyway?"},
      {1049,
       "%1: these blocks are open in an editor and are left out:\r\n%2\r\n"
       "Move the other objects anyway?"},
  };
  return table;
}

const TextTable& ComponentMessages() {
  static const TextTable table = {
      {8000, "The moved objects were deleted from the source program."},
  };
  return table;
}

}  // namespace

const TextTable* LanguageModule(std::string_view prefix) {
  if (platform::text::EqualsNoCase(prefix, "mzprui_")) return &UiTexts();
  return nullptr;
}

const TextTable* MessageModule(std::string_view module) {
  if (platform::text::EqualsNoCase(module, "cmnerr")) return &CommonMessages();
  if (platform::text::EqualsNoCase(module, "Comp-IF_V3")) return &ComponentMessages();
  return nullptr;
}

std::string FormatMessage(std::string_view pattern, const std::vector<std::string>& arguments) {
  const auto isDigit = platform::text::IsAsciiDigit;
  std::string out;
  out.reserve(pattern.size());
  for (size_t i = 0; i < pattern.size(); ++i) {
    const char c = pattern[i];
    if (c != '%' || i + 1 == pattern.size()) {
      out += c;
      continue;
    }
    if (pattern[i + 1] == '%') {
      out += '%';
      ++i;
      continue;
    }
    if (!isDigit(pattern[i + 1]) || pattern[i + 1] == '0') {
      out += c;
      continue;
    }
    // Up to two digits, as the message compiler reads them: %12 is insert twelve.
    size_t index = static_cast<size_t>(pattern[i + 1] - '0');
    size_t used = 1;
    if (i + 2 < pattern.size() && isDigit(pattern[i + 2])) {
      index = index * 10 + static_cast<size_t>(pattern[i + 2] - '0');
      used = 2;
    }
    if (index <= arguments.size()) out += arguments[index - 1];
    i += used;
  }
  return out;
}

}  // namespace host::texts
