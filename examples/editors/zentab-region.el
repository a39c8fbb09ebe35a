;; Emacs without a language server: M-x zentab-fmt-region lines up the
;; tables in the region through zentab fmt, in the buffer's kind; why a
;; table was left as it is shows in *zentab errors*.
(defun zentab-fmt-region (start end)
  "Line up the tables between START and END with zentab fmt."
  (interactive "r")
  (let ((coding-system-for-read 'utf-8)
        (coding-system-for-write 'utf-8)
        (kind (cond ((derived-mode-p 'org-mode) "org")
                    ((derived-mode-p 'rst-mode) "rst")
                    ((derived-mode-p 'markdown-mode) "markdown")
                    (t "text"))))
    (shell-command-on-region start end (concat "zentab fmt --in " kind)
                             nil t "*zentab errors*" t)))
