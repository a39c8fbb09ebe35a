;; Run by emacs_region.sh in a directory holding stock.md and stock.org: the
;; recipe's zentab-fmt-region over whole buffers of each kind, and C-u M-|
;; zentab over the tab-separated lines; each buffer is written to NAME.*.out,
;; and what the recipe showed in *zentab errors* to NAME.errors.out.
(require 'package)
(package-initialize)
(load (getenv "ZENTAB_RECIPE") nil t)

(defun zentab-test-open (name mode)
  "Visit NAME afresh, which must open in MODE."
  (let ((buffer (find-file-noselect name)))
    (with-current-buffer buffer
      (unless (eq major-mode mode)
        (error "%s opened in %s, not %s" name major-mode mode)))
    buffer))

(dolist (file '(("stock.md" . markdown-mode) ("stock.org" . org-mode)))
  (with-current-buffer (zentab-test-open (car file) (cdr file))
    (zentab-fmt-region (point-min) (point-max))
    (write-region nil nil (concat (car file) ".region.out"))
    (when (get-buffer "*zentab errors*")
      (with-current-buffer "*zentab errors*"
        (write-region nil nil (concat (car file) ".errors.out"))
        (erase-buffer)))))

;; C-u M-| replaces the region with the command's output.
(with-current-buffer (zentab-test-open "tsv.md" 'markdown-mode)
  (goto-char (point-min))
  (re-search-forward "^棚\t")
  (let ((start (line-beginning-position)))
    (forward-line 3)
    (shell-command-on-region start (point) "zentab" t t))
  (write-region nil nil "tsv.md.frame.out"))
