#include "SapiSpeech.h"

#include <objbase.h>
#include <sapi.h>

namespace {
const QString NoVoice =
    QStringLiteral("没有可用的中文语音，朗读需要它。请在 Windows 的“设置 → 时间和语言 → 语音”中"
                   "添加“中文(简体，中国)”语音后重新打开本程序。");

// The first Chinese (Simplified, China: language 804) voice the system lists, or none.
ISpObjectToken* chineseVoice() {
    ISpObjectTokenCategory* category = nullptr;
    if (FAILED(CoCreateInstance(CLSID_SpObjectTokenCategory, nullptr, CLSCTX_ALL,
                                IID_ISpObjectTokenCategory, reinterpret_cast<void**>(&category))))
        return nullptr;
    ISpObjectToken* token = nullptr;
    IEnumSpObjectTokens* tokens = nullptr;
    if (SUCCEEDED(category->SetId(SPCAT_VOICES, FALSE)) &&
        SUCCEEDED(category->EnumTokens(L"Language=804", nullptr, &tokens)) && tokens) {
        if (tokens->Next(1, &token, nullptr) != S_OK) token = nullptr;
        tokens->Release();
    }
    category->Release();
    return token;
}
} // namespace

SapiSpeech::~SapiSpeech() {
    if (voice_) {
        voice_->Speak(nullptr, SPF_PURGEBEFORESPEAK, nullptr);
        voice_->Release();
    }
    if (comStarted_) CoUninitialize();
}

void SapiSpeech::start() {
    if (looked_) return;
    looked_ = true;
    // The window's thread already has COM (Qt starts it); this only makes sure.
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    comStarted_ = SUCCEEDED(com);
    ISpObjectToken* token = chineseVoice();
    if (!token || FAILED(CoCreateInstance(CLSID_SpVoice, nullptr, CLSCTX_ALL, IID_ISpVoice,
                                          reinterpret_cast<void**>(&voice_)))) {
        if (token) token->Release();
        voice_ = nullptr;
        fail();
        return;
    }
    const HRESULT chosen = voice_->SetVoice(token);
    token->Release();
    if (FAILED(chosen)) fail();
}

void SapiSpeech::fail() {
    const bool first = !failed_;
    failed_ = true;
    if (first && lost_) lost_();
}

bool SapiSpeech::available(QString* whyNot) {
    start();
    if (failed_ && whyNot) *whyNot = NoVoice;
    return !failed_;
}

void SapiSpeech::say(const QString& text) {
    if (!available() || !voice_) return;
    // Plain text: a question's "<" or "&" is read, not taken as markup.
    if (FAILED(voice_->Speak(reinterpret_cast<const wchar_t*>(text.utf16()),
                             SPF_ASYNC | SPF_PURGEBEFORESPEAK | SPF_IS_NOT_XML, nullptr)))
        fail();
}

void SapiSpeech::stop() {
    if (voice_) voice_->Speak(nullptr, SPF_ASYNC | SPF_PURGEBEFORESPEAK, nullptr);
}
