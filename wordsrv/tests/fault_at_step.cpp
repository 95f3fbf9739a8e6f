#include "fault_at_step.h"

namespace wordsrv::test {

namespace {

using tessaro::word::Application;
using tessaro::word::Document;
using tessaro::word::Result;
using tessaro::word::Span;
using tessaro::word::Status;

class Trigger {
public:
    Trigger(Step step, int at, std::function<void()> fault) : step_(step), at_(at), fault_(std::move(fault)) {}

    void before(Step step)
    {
        if (step == step_ && ++count_ == at_)
            fault_();
    }

private:
    Step step_;
    int at_;
    int count_ = 0;
    std::function<void()> fault_;
};

class FaultyDocument final : public Document {
public:
    FaultyDocument(std::unique_ptr<Document> document, std::shared_ptr<Trigger> trigger)
        : document_(std::move(document)), trigger_(std::move(trigger))
    {
    }

    static Result<std::unique_ptr<Document>> wrap(Result<std::unique_ptr<Document>> opened,
                                                   const std::shared_ptr<Trigger>& trigger)
    {
        if (!opened)
            return opened.failure();
        return std::unique_ptr<Document>(std::make_unique<FaultyDocument>(std::move(*opened), trigger));
    }

    Result<int> PageCount() override { return document_->PageCount(); }
    Status SelectStart() override { return document_->SelectStart(); }
    Result<Span> CurrentPage() override { return document_->CurrentPage(); }
    Status UpdateFields() override { return document_->UpdateFields(); }
    Status SaveAs(const std::wstring& path) override
    {
        trigger_->before(Step::kSave);
        return document_->SaveAs(path);
    }
    Status PrintOut() override { return document_->PrintOut(); }
    Status Close() override { return document_->Close(); }
    Result<std::unique_ptr<Document>> CopyToNewDocument(Span span) override
    {
        return wrap(document_->CopyToNewDocument(span), trigger_);
    }

private:
    std::unique_ptr<Document> document_;
    std::shared_ptr<Trigger> trigger_;
};

class FaultyWord final : public Application {
public:
    FaultyWord(std::unique_ptr<Application> word, std::shared_ptr<Trigger> trigger)
        : word_(std::move(word)), trigger_(std::move(trigger))
    {
    }

    Status DisableAlerts() override { return word_->DisableAlerts(); }
    Status DisableMacros() override { return word_->DisableMacros(); }
    Status SetVisible(bool visible) override { return word_->SetVisible(visible); }
    Status Activate() override { return word_->Activate(); }
    Status Maximize() override { return word_->Maximize(); }
    Result<std::unique_ptr<Document>> Open(const std::wstring& path, tessaro::word::OpenMode mode) override
    {
        trigger_->before(Step::kOpen);
        return FaultyDocument::wrap(word_->Open(path, mode), trigger_);
    }
    Status EndOfDocument() override { return word_->EndOfDocument(); }
    Status InsertPageBreak() override { return word_->InsertPageBreak(); }
    Status InsertFile(const std::wstring& path) override { return word_->InsertFile(path); }
    Status NextPage() override { return word_->NextPage(); }
    Status Quit() override { return word_->Quit(); }

private:
    std::unique_ptr<Application> word_;
    std::shared_ptr<Trigger> trigger_;
};

}  // namespace

std::unique_ptr<Application> withFault(std::unique_ptr<Application> word, Step step, int at,
                                       std::function<void()> fault)
{
    if (!word)
        return word;
    return std::make_unique<FaultyWord>(std::move(word), std::make_shared<Trigger>(step, at, std::move(fault)));
}

}  // namespace wordsrv::test
