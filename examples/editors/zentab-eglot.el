;; Emacs with eglot: zentab lsp in every Markdown, Org and rst buffer.
;; M-x eglot-format-buffer lines up the tables, M-x eglot-code-actions
;; converts the selection.
(with-eval-after-load 'eglot
  (add-to-list 'eglot-server-programs
               '((markdown-mode org-mode rst-mode) . ("zentab" "lsp"))))
(dolist (hook '(markdown-mode-hook org-mode-hook rst-mode-hook))
  (add-hook hook #'eglot-ensure))
