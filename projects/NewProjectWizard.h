#pragma once

class COptions;
class MessageSink;
struct NewProjectInfo;

// How the wizard ended: cancelled, finished on page 1 (an empty project),
// or finished on the file page (a project with files, to be drawn).
enum class WizardEnd { Cancelled, EmptyProject, WithFiles };

// Runs the new-project wizard's pages one at a time, each modal on its own,
// from page 1 to the end, following Next and Back; the record holds what
// the pages collected. The readers of a workspace page report missing
// sources to the sink.
WizardEnd RunNewProjectWizard(NewProjectInfo& info, COptions& options, MessageSink& sink);
