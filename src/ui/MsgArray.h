// TMsgArray: a table of user-facing messages by identifier, one line per message with
// "||"-separated fields, plus the derived lists that translation replaces and the
// captions of message dialogs (stored only: no dialog is shown through it).
#pragma once

#include <array>
#include <functional>
#include <string>
#include <unordered_map>

#include "rtl/Component.h"
#include "rtl/StringList.h"

namespace ui {

class EMsgArrayError : public rtl::Exception {
public:
  explicit EMsgArrayError(std::string message) : Exception(std::move(message), "EMsgArrayError") {}
};

// Handlers of the dialog events: stored, never raised here.
using TMsgArrayEvent = std::function<void(rtl::TObject* Sender)>;

class TMsgArray : public rtl::TComponent {
  RTL_CLASS_INFO

public:
  explicit TMsgArray(rtl::TComponent* owner = nullptr);
  ~TMsgArray() override;

  // The text (field 1) of a message, trimmed, with "%0D%0A", "%0D" and "%0A" turned into
  // line breaks; an unknown identifier raises "Invalid message ID [%s]".
  std::string GetMessageText(const std::string& id) const;
  // Any field; the default for an unknown identifier when quiet, else the error.
  std::string GetMessageField(int field, const std::string& id, const std::string& def, bool quiet) const;

  rtl::TStringList* MessagesArray() const { return FMessagesArray; }
  rtl::TStringList* MessagesText() const { return FMessagesText; }
  rtl::TStringList* MessagesCaption() const { return FMessagesCaption; }
  rtl::TStringList* DontShowAgainText() const { return FDontShowAgainText; }
  rtl::TStringList* LastDialogsResult() const { return FLastDialogsResult; }
  rtl::TStringList* ButtonCaptions() const { return FButtonCaptions; }
  // Setters copy the given list.
  void SetMessagesArray(rtl::TStringList* list) { FMessagesArray->Assign(list); }
  void SetMessagesText(rtl::TStringList* list) { FMessagesText->Assign(list); }
  void SetMessagesCaption(rtl::TStringList* list) { FMessagesCaption->Assign(list); }
  void SetDontShowAgainText(rtl::TStringList* list) { FDontShowAgainText->Assign(list); }
  void SetLastDialogsResult(rtl::TStringList* list) { FLastDialogsResult->Assign(list); }
  void SetButtonCaptions(rtl::TStringList* list) { FButtonCaptions->Assign(list); }

  bool UseSystemCaptions() const { return FUseSystemCaptions; }
  void SetUseSystemCaptions(bool value);

  rtl::AnsiString AgainCheckCaption = "Do not ask me again";
  rtl::AnsiString InformationCaption = "Information";
  rtl::AnsiString WarningCaption = "Warning";
  rtl::AnsiString ErrorCaption = "Error";
  rtl::AnsiString QuestionCaption = "Question";
  TMsgArrayEvent OnHelp, OnClose, OnShow, OnCustomButtonClick, OnButtonCreate;

  static const std::array<const char*, 12> DefaultButtonCaptions;

  void Loaded() override;

private:
  void ArrayChanged();
  void DerivedChanged();
  void RebuildIndex();
  rtl::TStringList* NewList(void (TMsgArray::*onChange)());
  void ApplyButtonCaptions();

  rtl::TStringList* FMessagesArray;
  rtl::TStringList* FMessagesText;
  rtl::TStringList* FMessagesCaption;
  rtl::TStringList* FDontShowAgainText;
  rtl::TStringList* FLastDialogsResult;
  rtl::TStringList* FButtonCaptions;
  bool FUseSystemCaptions = false;
  bool FSyncing = false;
  std::unordered_map<std::string, int> FIndex;  // upper-case identifier → line
};

}  // namespace ui
