;; Run by emacs_eglot.sh in a directory holding stock.md, stock.org and
;; actions.md: Emacs's eglot, set up by the recipe, connects to zentab lsp
;; from each buffer's mode hook. eglot-format-buffer formats stock.md and
;; stock.org, written to NAME.format.out. flymake's diagnostics of stock.md
;; go to stock.md.diagnostics as "LINE TYPE MESSAGE", and the types left once
;; it is formatted and saved to stock.md.diagnostics-after. In actions.md the
;; code action "Convert to Markdown table" is picked for the tab-separated
;; lines (actions.md.markdown.out), then the emoji table alone is formatted
;; (actions.md.range.out).
(require 'package)
(package-initialize)
(require 'eglot)
(require 'markdown-mode)
(load (getenv "ZENTAB_RECIPE") nil t)
;; Wait for the server's answer to initialize however long it takes, and take
;; the scratch directory as the project.
(setq eglot-sync-connect t)
(setq project-find-functions (list (lambda (dir) (cons 'transient dir))))

(defun zentab-test-open (name mode)
  "Visit NAME, which must open in MODE, and connect as the recipe's hook asks."
  (let ((buffer (find-file-noselect name)))
    (set-buffer buffer)
    (unless (eq major-mode mode)
      (error "%s opened in %s, not %s" name major-mode mode))
    ;; eglot-ensure connects after the command that visited the file.
    (run-hooks 'post-command-hook)
    (unless (eglot-current-server)
      (error "eglot did not connect to zentab lsp in %s" name))
    buffer))

(defun zentab-test-wait (what condition)
  "Serve the server's messages until CONDITION holds."
  (let ((tries 0))
    (while (not (funcall condition))
      (when (> (setq tries (1+ tries)) 400)
        (error "No %s in %s" what (buffer-name)))
      (accept-process-output nil 0.05))))

(dolist (file '(("stock.md" . markdown-mode) ("stock.org" . org-mode)))
  (with-current-buffer (zentab-test-open (car file) (cdr file))
    (when (equal (car file) "stock.md")
      (flymake-start)
      (zentab-test-wait "diagnostics" #'flymake-diagnostics)
      (let ((lines (mapcar (lambda (diagnostic)
                             (format "%d %s %s\n"
                                     (line-number-at-pos (flymake-diagnostic-beg diagnostic))
                                     (flymake-diagnostic-type diagnostic)
                                     (flymake-diagnostic-text diagnostic)))
                           (flymake-diagnostics))))
        (with-temp-file "stock.md.diagnostics"
          (apply #'insert lines))))
    (eglot-format-buffer)
    (write-region nil nil (concat (car file) ".format.out"))
    ;; The server's copy follows eglot's changes, which eglot sends when idle
    ;; (never, in batch) or on saving: the notes go, the warning stays.
    (when (equal (car file) "stock.md")
      (save-buffer)
      (flymake-start)
      (zentab-test-wait "diagnostics after formatting"
                        (lambda ()
                          (let ((types (mapcar #'flymake-diagnostic-type (flymake-diagnostics))))
                            (and types (not (memq 'eglot-note types))))))
      (let ((types (mapcar #'flymake-diagnostic-type (flymake-diagnostics))))
        (with-temp-file "stock.md.diagnostics-after"
          (insert (format "%S\n" types)))))))

(defun zentab-test-convert (pattern lines title)
  "Picks the code action TITLE for LINES lines from the one matching PATTERN."
  (goto-char (point-min))
  (re-search-forward pattern)
  (let ((start (line-beginning-position))
        (last-nonmenu-event 13))
    (forward-line lines)
    (cl-letf (((symbol-function 'completing-read)
               (lambda (_prompt items &rest _)
                 (or (car (assoc title items))
                     (error "No %S among %S" title (mapcar #'car items))))))
      (eglot-code-actions start (point) nil t))))

(with-current-buffer (zentab-test-open "actions.md" 'markdown-mode)
  (zentab-test-convert "^棚\t" 3 "Convert to Markdown table")
  (write-region nil nil "actions.md.markdown.out")
  (zentab-test-convert "^品名," 3 "Convert to Markdown table")
  (write-region nil nil "actions.md.from-csv.out")
  ;; eglot-format on a region: that table only.
  (goto-char (point-min))
  (re-search-forward "^| Mood")
  (let ((start (line-beginning-position)))
    (forward-line 6)
    (eglot-format start (point)))
  (write-region nil nil "actions.md.range.out"))
