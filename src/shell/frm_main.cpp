#include "shell/frm_main.h"

#include <algorithm>

#include "core/error.h"

namespace shell {

using namespace ui;

namespace {

// Places a control in its container at its design place (twips).
template <class C>
C& place(C& c, Control* container, double l, double t, double w, double h, bool shown = true) {
  c.setContainer(container);
  c.move(l, t, w, h);
  c.setVisible(shown);
  return c;
}

Font tahomaBold(double points, int charset = 0) {
  Font f;
  f.face = u"Tahoma";
  f.points = points;
  f.bold = true;
  f.charset = charset;
  return f;
}

Font sansSerif() {
  Font f;
  f.face = u"Microsoft Sans Serif";
  return f;
}

FileListBox::Lister folderLister(platform::Platform& p) {
  return [&p](const Text& folder, const Text& pattern) {
    std::vector<FileListBox::Entry> out;
    for (auto& e : p.files.list(folder, pattern)) out.push_back({e.name, e.attributes});
    return out;
  };
}

DriveListBox::Source driveSource(platform::Platform& p) {
  return {[&p] { return driveEntries(p); },
          [&p](char16_t letter) { return p.drives.isReady(core::upperUnit(letter)); }};
}

}  // namespace

std::vector<Text> driveEntries(platform::Platform& p) {
  std::vector<Text> out;
  for (char16_t letter : p.drives.letters()) {
    Text entry{static_cast<char16_t>(letter >= u'A' && letter <= u'Z' ? letter + 32 : letter),
               u':'};
    std::optional<Text> description;
    core::attempt([&] {
      Text root = core::upper(entry) + u"\\";
      if (p.drives.type(root) == platform::DriveType::Remote)
        description = p.drives.shareName(letter);
      else
        description = p.drives.volumeName(letter);
    });
    if (description && !description->empty()) entry += u" [" + *description + u"]";
    out.push_back(entry);
  }
  return out;
}

FrmMain::FrmMain(Application& app, const std::function<void(FrmMain&)>& wire)
    : Form(app, kName),
      Image5(add<Image>("Image5")),
      Label17(add<Label>("Label17")),
      Label1(add<Label>("Label1", -1, true)),
      UniLabel2(add<Label>("UniLabel2", -1, true)),
      Label18(add<Label>("Label18")),
      Label20(add<Label>("Label20")),
      Label21(add<Label>("Label21")),
      Command9(add<Button>("Command9")),
      Command6(add<Button>("Command6", -1, true)),
      Command8(add<Button>("Command8", -1, true)),
      Command1(add<Button>("Command1", -1, true)),
      Command2(add<Button>("Command2", -1, true)),
      Check2(add<CheckBox>("Check2", -1, true)),
      Check3(add<CheckBox>("Check3", -1, true)),
      Check1(add<CheckBox>("Check1", -1, true)),
      Check4(add<CheckBox>("Check4", -1, true)),
      Check5(add<CheckBox>("Check5", -1, true)),
      Check6(add<CheckBox>("Check6", -1, true)),
      BackPanels{},
      Picture6(add<PictureBox>("Picture6")),
      Text1(add<TextBox>("Text1", -1, true)),
      Picture9(add<PictureBox>("Picture9")),
      Combo1(add<ComboBox>("Combo1", -1, true)),
      Picture11(add<PictureBox>("Picture11")),
      Label15(add<Label>("Label15", -1, true)),
      Picture2(add<PictureBox>("Picture2")),
      ListView1(add<ListView>("ListView1")),
      UniImageList1(add<ImageList>("UniImageList1")),
      List1(add<ListBox>("List1", -1, true)),
      filList(add<FileListBox>("filList", folderLister(app.platform()))),
      Label3(add<Label>("Label3", -1, true)),
      Label4(add<Label>("Label4", -1, true)),
      Label5(add<Label>("Label5", -1, true)),
      Label6(add<Label>("Label6", -1, true)),
      Bite1(add<Label>("Bite1")),
      UniLabel1(add<Label>("UniLabel1", -1, true)),
      List2(add<ListBox>("List2")),
      Frame1(add<Frame>("Frame1")),
      Picture3(add<PictureBox>("Picture3")),
      Label9(add<Label>("Label9", -1, true)),
      Label10(add<Label>("Label10", -1, true)),
      Label12(add<Label>("Label12", -1, true)),
      Label8(add<Label>("Label8")),
      Label14(add<Label>("Label14")),
      Label11(add<Label>("Label11")),
      Label19(add<Label>("Label19")),
      Label2(add<Label>("Label2")),
      Picture5(add<PictureBox>("Picture5")),
      Picture8(add<PictureBox>("Picture8")),
      vkBar1(add<Image>("vkBar1")),
      Label_2(add<Label>("Label_2")),
      Image1(add<Image>("Image1")),
      Image2(add<Image>("Image2")),
      Label7(add<Label>("Label7", -1, true)),
      Picture7(add<PictureBox>("Picture7")),
      Command3(add<Button>("Command3")),
      List4(add<ListBox>("List4")),
      List5(add<ListBox>("List5")),
      Command5(add<Button>("Command5")),
      Command4(add<Button>("Command4")),
      Command7(add<Button>("Command7")),
      Text4(add<TextBox>("Text4")),
      Text5(add<ComboBox>("Text5")),
      Check7(add<CheckBox>("Check7")),
      Label13(add<Label>("Label13")),
      Label16(add<Label>("Label16")),
      Picture10(add<PictureBox>("Picture10")),
      MSG0{},
      Text2(add<TextBox>("Text2")),
      Text3(add<TextBox>("Text3")),
      Drive1(add<DriveListBox>("Drive1", driveSource(app.platform()))),
      File1(add<FileListBox>("File1", folderLister(app.platform()))),
      List6(add<ListBox>("List6", -1, true)),
      tvFolders(add<TreeView>("tvFolders")),
      imgMain(add<ImageList>("imgMain")),
      UniList1(add<ListBox>("UniList1", -1, true)),
      UniCombo1(add<ComboBox>("UniCombo1", -1, true)),
      Text6(add<TextBox>("Text6")),
      picBuff(add<PictureBox>("picBuff")),
      picDefault(add<PictureBox>("picDefault")),
      Timer1(add<Timer>("Timer1", 0)),
      Timer2(add<Timer>("Timer2", 1000)),
      Timer4(add<Timer>("Timer4", 500)),
      Timer10(add<Timer>("Timer10", 0)) {
  setBorderStyle(0);
  setBackColour(look::WindowBack);
  // The window opens centred on the screen.
  auto& screen = app.backend();
  move(std::max(0.0, (screen.screenWidth() - kDesignWidth) / 2),
       std::max(0.0, (screen.screenHeight() - kDesignHeight) / 2), kDesignWidth, kDesignHeight);

  // Title strip and caption buttons.
  place(Image5, nullptr, 0, 0, 13050, 8940).setStretch(true);
  Image5.setPicture("main.background");
  place(Label17, nullptr, 1920, 0, 9255, 735).setTransparent(true);
  place(Label1, nullptr, 1800, 285, 9015, 255).setTransparent(true);
  Label1.setAlignment(2);  // centred over the title band, clear of the language box
  place(UniLabel2, nullptr, 1800, -6000, 9015, 255);
  for (auto [label, left, caption, face] : {std::tuple{&Label18, 12480, u"X", 0},
                                            {&Label20, 11520, u"_", 0},
                                            {&Label21, 12000, u"2", 2}}) {
    place(*label, nullptr, left, 120, 450, 450);
    label->setText(caption);
    label->setAlignment(2);
    label->setFont(face == 2 ? [] {
      Font f = tahomaBold(14.25, 2);
      f.face = u"Webdings";
      return f;
    }()
                             : tahomaBold(14.25));
    label->setBackColour(look::CaptionButton);
    label->setBorderStyle(1);
  }
  place(Command9, nullptr, -1320, 1560, 1095, 615).setText(u"Command9");
  place(Command6, nullptr, 360, 750, 975, 300).setText(u"About");
  place(Command8, nullptr, 11160, 7920, 1335, 315).setText(u"Temp");
  place(Command1, nullptr, 11640, 1650, 1095, 315).setText(u"Scan");
  Command1.setDefault(true);
  place(Command2, nullptr, 9840, 1650, 1695, 315).setText(u"Fix only a File");

  // Attribute choice and options, each over a coloured back panel.
  CheckBox* boxes[] = {&Check2, &Check3, &Check1, &Check4, &Check5, &Check6};
  place(Check2, nullptr, 420, 1230, 1275, 270).setText(u"System");
  place(Check3, nullptr, 1860, 1230, 1275, 270).setText(u"Hidden     ");
  place(Check1, nullptr, 3300, 1230, 1275, 270).setText(u"Read Only  ");
  place(Check4, nullptr, 4740, 1230, 1275, 270).setText(u"Archive    ");
  place(Check5, nullptr, 6180, 1230, 1995, 270).setText(u"Delete File Shortcut");
  place(Check6, nullptr, 10020, 1230, 2655, 270).setText(u"Open Drive At Complete Scan  ");
  for (int i = 0; i < 6; ++i) {
    BackPanels[i] = &add<Label>("Label" + std::to_string(22 + i));
    place(*BackPanels[i], nullptr, boxes[i]->left() - 60, 1200, boxes[i]->width() + 120, 330);
    BackPanels[i]->setBackColour(look::Panel);
    boxes[i]->setBackColour(look::Panel);
  }

  // The path field in its frame.
  place(Picture6, nullptr, 360, 1560, 8850, 460).setBackColour(look::Panel);
  place(Text1, &Picture6, 60, 30, 8715, 390);

  // The language box under its cover.
  place(Picture9, nullptr, 720, 360, 1215, 315);
  place(Combo1, &Picture9, 0, -15, 1215, 315);
  place(Picture11, &Picture9, 0, 0, 1215, 315).setBackColour(look::Cover);
  place(Label15, &Picture11, 0, 0, 1215, 315).setText(u"***");
  Label15.setAlignment(2);
  Label15.setTransparent(true);
  Label15.setFont([] {
    Font f;
    f.bold = true;
    return f;
  }());

  // The browsing panel: drive table, folder list, file list.
  place(Picture2, nullptr, 360, 2040, 12375, 5655).setBackColour(look::Panel);
  place(ListView1, &Picture2, 0, 180, 3840, 5355);
  ListView1.setBackColour(look::DriveTableBack);
  ListView1.setForeColour(colour::White);
  ListView1.setFont(sansSerif());
  ListView1.addColumn(u"", 590);
  ListView1.addColumn(u"Local", 2120);
  ListView1.addColumn(u"Size", 1120);
  ListView1.setHeadersHidden(true);
  ListView1.setSmallIcons("UniImageList1");
  UniImageList1.setContainer(&Picture2);
  place(List1, &Picture2, 3870, 240, 4170, 5340);
  place(filList, &Picture2, 8055, 240, 4275, 5310);
  filList.setBackColour(look::FileListBack);
  filList.setForeColour(colour::White);
  filList.setFont(sansSerif());
  filList.setShow(true, true);
  place(Label3, &Picture2, 0, 0, 2760, 240);
  place(Label4, &Picture2, 2760, 0, 1095, 240);
  place(Label5, &Picture2, 3840, 0, 4215, 240);
  place(Label6, &Picture2, 8040, 0, 1095, 240);
  place(Bite1, &Picture2, 9150, 15, 915, 210).setText(u"0.00 MB");
  place(UniLabel1, &Picture2, 10080, 0, 2295, 240);
  place(List2, &Picture2, 1920, 600, 1455, 1395, false);
  for (Label* heading : {&Label3, &Label4, &Label5, &Label6, &Bite1, &UniLabel1})
    heading->setTransparent(true);

  // Information frame with the counters.
  place(Frame1, nullptr, 360, 7680, 12330, 735).setText(u"   Information  ");
  Frame1.setBackColour(look::Panel);
  place(Picture3, &Frame1, 240, 300, 10095, 285).setBackColour(look::Panel);
  place(Label9, &Picture3, 0, 0, 1395, 255);
  place(Label10, &Picture3, 2520, 0, 1485, 255);
  place(Label12, &Picture3, 4920, 0, 885, 255);
  place(Label8, &Picture3, 1410, 0, 1095, 255).setText(u"0");
  place(Label14, &Picture3, 4020, 0, 825, 255).setText(u"0");
  place(Label11, &Picture3, 5820, 0, 1095, 255);
  Label11.setForeColour(0x0000FF);
  Label11.setBackColour(colour::Black);
  Label11.setAlignment(2);
  Label11.setFont(tahomaBold(8.25));
  place(Label19, &Picture3, 4860, 0, 45, 255);
  for (Label* caption : {&Label9, &Label10, &Label8, &Label14}) caption->setTransparent(true);
  place(Label2, &Frame1, 6240, 0, 2175, 255, false);

  // Progress panel, shown during a clean run.
  place(Picture5, nullptr, 360, 8520, 6240, 225, false);
  place(Picture8, &Picture5, -15, -15, 5745, 255);
  place(vkBar1, &Picture8, 0, 0, 5760, 360).setStretch(true);
  vkBar1.setPicture("main.bar");
  place(Label_2, &Picture5, 5730, -15, 510, 225).setText(u"0 %");

  place(Image1, nullptr, 9360, 1560, 360, 360, false).setPicture("main.success");
  place(Image2, nullptr, 9360, 1560, 360, 360, false).setPicture("main.failure");
  place(Label7, nullptr, 9360, 1080, 495, 375).setTransparent(true);

  // The list editor panel, hidden until an administrator opens it.
  place(Picture7, nullptr, 8400, 2040, 4695, 6615, false);
  place(Command3, &Picture7, 0, 0, 1935, 255).setText(u"Add Files: Virus Name");
  place(List4, &Picture7, 120, 120, 2295, 5715);
  place(List5, &Picture7, 2490, 120, 2055, 5715);
  place(Command5, &Picture7, 150, 5880, 765, 315).setText(u"ReName");
  place(Command4, &Picture7, 930, 5880, 735, 315).setText(u"Remove");
  place(Command7, &Picture7, 2850, 5880, 1335, 315).setText(u"Remove");
  place(Text4, &Picture7, 120, 6255, 1815, 285);
  place(Text5, &Picture7, 2010, 6240, 975, 315);
  place(Check7, &Picture7, 3120, 6240, 195, 195).setText(u"Do Not Save");
  place(Label13, nullptr, 12000, 7080, 375, 255, false);
  place(Label16, nullptr, 3000, 1200, 3015, 255, false);

  // The message table: 31 hidden labels reading "MSG0" until a language is applied.
  place(Picture10, nullptr, 3720, 3120, 3735, 3855, false);
  for (int i = 0; i < kMessages; ++i) {
    MSG0[i] = &add<Label>("MSG0", i, true);
    place(*MSG0[i], &Picture10, 0, i * 240, 1545, 225).setText(u"MSG0");
  }

  // Hidden holders of state.
  Text2.setText(u"Text2");
  for (Control* c : std::initializer_list<Control*>{&Text2, &Text3, &Drive1, &File1, &List6,
                                                    &tvFolders, &imgMain, &UniList1, &UniCombo1,
                                                    &Text6, &picBuff, &picDefault})
    c->setVisible(false);
  Drive1.move(1920, 6000, 2775, 315);
  tvFolders.move(11040, 4920, 3975, 2415);
  File1.setPattern(u"*.ini");
  for (auto key : {"mycomputer", "genericfile", "removabledrive", "mydocs", "cdrom", "closedfolder",
                   "desktop", "openfolder", "unknowndrive", "floppydrive", "harddrive", "netdrive"})
    imgMain.add(key, std::string("tree.") + key);

  if (wire) wire(*this);
}

}  // namespace shell
